#include "core/programerror.h"
#include "params/operators/operatorrecord.h"
#include "params/operators/operatortable.h"
#include "support/fakelink.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

QByteArray padded(const QByteArray &bytes, int width = 19) { return bytes + QByteArray(width - bytes.size(), '\0'); }

// An operator record as the register sends it: index, 19 name bytes, the
// password (low byte first) and sixteen amounts, amount j having whole part
// 100 * j + whole0 and hundredths j.
QByteArray operatorRecord(int index, const QByteArray &name19, const char *passwordHex, quint32 whole0 = 0)
{
    QByteArray d(1, char(index));
    d.append(name19);
    d.append(hexBytes(passwordHex));
    for (int j = 0; j < 16; ++j) {
        const quint32 whole = 100 * quint32(j) + whole0;
        for (int k = 0; k < 4; ++k)
            d.append(char(whole >> (8 * k) & 0xFF));
        d.append(char(j));
    }
    return d;
}

// ---- the password -------------------------------------------------------

struct PasswordCase {
    const char *text;
    bool accepted;
    quint32 value;
};

class PasswordConversion : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordConversion, Converts)
{
    const OperatorRecord::Password p = OperatorRecord::convertPassword(u(GetParam().text));
    EXPECT_EQ(p.accepted, GetParam().accepted) << GetParam().text;
    if (GetParam().accepted) {
        EXPECT_EQ(p.value, GetParam().value) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operators, PasswordConversion,
    ::testing::Values(PasswordCase{"0", true, 0}, PasswordCase{"1234", true, 1234},
                      PasswordCase{"001234", true, 1234}, PasswordCase{"999999", true, 999999},
                      PasswordCase{"000000", true, 0}, PasswordCase{"1234567", false, 0},
                      PasswordCase{"0000000", false, 0}, PasswordCase{"12a4", false, 0},
                      PasswordCase{" 1234", false, 0}, PasswordCase{"1234 ", false, 0},
                      PasswordCase{" ", false, 0}, PasswordCase{"+123", false, 0}, PasswordCase{"-1", false, 0},
                      PasswordCase{"12.5", false, 0}, PasswordCase{"12,5", false, 0},
                      PasswordCase{"١٢٣", false, 0}, PasswordCase{"１２", false, 0}));

TEST(OperatorPassword, EmptyCellIsNoWholeNumber)
{
    try {
        OperatorRecord::convertPassword(QString());
        FAIL() << "no conversion error";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("'' is not a valid integer value"));
    }
}

// ---- the read reply and the table ---------------------------------------

class Separator : public ::testing::TestWithParam<char> {
protected:
    QChar d() const { return QLatin1Char(GetParam()); }
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), d()); }
};

TEST_P(Separator, ReplyGivesNamePasswordAndSixteenAmounts)
{
    const OperatorRecord::Reply r =
        OperatorRecord::readReply(operatorRecord(2, padded("ANA"), "D2 04 00 00", 7), d());
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.number, 2);
    EXPECT_EQ(r.name, QStringLiteral("ANA"));
    EXPECT_EQ(r.password, QStringLiteral("1234"));
    ASSERT_EQ(r.amounts.size(), 16);
    EXPECT_EQ(r.amounts[0], QStringLiteral("7"));
    EXPECT_EQ(r.amounts[1], s("107,01"));
    EXPECT_EQ(r.amounts[10], s("1007,1"));
    EXPECT_EQ(r.amounts[15], s("1507,15"));
}

TEST_P(Separator, PasswordsAndAmountsAtTheirLimits)
{
    struct Case {
        const char *passwordHex;
        const char *password;
    };
    const Case cases[] = {{"00 00 00 00", "0"},
                          {"3F 42 0F 00", "999999"},
                          {"40 42 0F 00", "1000000"},
                          {"FF FF FF FF", "4294967295"}};
    for (const Case &c : cases)
        EXPECT_EQ(OperatorRecord::readReply(operatorRecord(0, padded(""), c.passwordHex), d()).password,
                  QString::fromLatin1(c.password));
    QByteArray data = operatorRecord(0, QByteArray(19, char(0xFF)), "00 00 00 00");
    data.replace(24, 5, hexBytes("FF FF FF FF 63"));
    data.replace(29, 5, hexBytes("00 00 00 00 00"));
    const OperatorRecord::Reply r = OperatorRecord::readReply(data, d());
    EXPECT_EQ(r.name, QString());
    EXPECT_EQ(r.amounts[0], s("4294967295,99"));
    EXPECT_EQ(r.amounts[1], QStringLiteral("0"));
}

TEST(OperatorTableModel, StartsWithHeadingsAndNumbers)
{
    OperatorTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(table.rowCount(), 26);
    EXPECT_EQ(table.columnCount(), 19);
    const QStringList headings = {u("Број"), u("Име"), u("Лозинка"),
                                  u("Сума прихода 0"), u("Сума прихода 1"), u("Сума прихода 2"),
                                  u("Сума прихода 3"), u("Сума прихода 4"), u("Служ.унос 0"),
                                  u("Служ.унос 1"), u("Служ.унос 2"), u("Служ.унос 3"),
                                  u("Служ.унос 4"), u("Служ.излаз 0"), u("Служ.излаз 1"),
                                  u("Служ.излаз 2"), u("Служ.излаз 3"), u("Служ.излаз 4"),
                                  u("Корекција")};
    for (int c = 0; c < 19; ++c)
        EXPECT_EQ(table.cell(c, 0), headings[c]) << c;
    for (int r = 1; r <= 25; ++r) {
        EXPECT_EQ(table.cell(0, r), QString::number(r));
        for (int c = 1; c < 19; ++c)
            EXPECT_EQ(table.cell(c, r), QString()) << c << "," << r;
    }
    EXPECT_FALSE(table.setData(table.index(0, 5), "x"));
    EXPECT_FALSE(table.setData(table.index(7, 0), "x"));
    EXPECT_TRUE(table.setData(table.index(25, 18), "x"));
    EXPECT_TRUE(table.setData(table.index(1, 2), "0042"));
    EXPECT_EQ(table.recordCell(0, OperatorTable::Password), QStringLiteral("0042"));
    EXPECT_TRUE(table.flags(table.index(3, 1)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(table.flags(table.index(3, 0)).testFlag(Qt::ItemIsEditable));
}

INSTANTIATE_TEST_SUITE_P(Separators, Separator, ::testing::Values(',', '.'));

} // namespace
