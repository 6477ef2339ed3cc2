#include "protocol/frame.h"
#include "params/operators/operatorrecord.h"
#include "params/operators/operators.h"
#include "support/familyrig.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

const QString Reading = QStringLiteral("Читање оператера у току");
const QString ReadDone = QStringLiteral("Завршено читање оператера");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис оператера");
const QString Refusal = QStringLiteral("Грешка !!! |Грешка у подацима. Унос отказан!");

QString u(const char *text) { return QString::fromUtf8(text); }

QByteArray reply(std::uint8_t command, const QByteArray &data)
{
    return Frame::build({0x00, 0x45, 0x12}, 0x01, command, data);
}

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
    EXPECT_EQ(r.index, 2);
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

TEST_P(Separator, ShortAndEmptyRecords)
{
    const OperatorRecord::Reply shortOne = OperatorRecord::readReply(operatorRecord(6, padded("A"), "01 00 00 00").left(103), d());
    EXPECT_EQ(shortOne.index, 6);
    EXPECT_FALSE(shortOne.complete);
    const OperatorRecord::Reply empty = OperatorRecord::readReply(QByteArray(), d());
    EXPECT_FALSE(empty.complete);
    EXPECT_GE(empty.index, 25);
}

TEST(OperatorTableModel, StartsWithHeadingsAndNumbers)
{
    OperatorTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Warning);
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
    EXPECT_EQ(table.operatorCell(0, OperatorTable::Password), QStringLiteral("0042"));
    EXPECT_TRUE(table.flags(table.index(3, 1)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(table.flags(table.index(3, 0)).testFlag(Qt::ItemIsEditable));
}

// ---- transfers on the fake link -----------------------------------------

struct Rig : ::testing::TestWithParam<char>, FamilyRig<Operators> {
    Operators &operators = family;

    Rig() : FamilyRig<Operators>(GetParam()) {}
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), QLatin1Char(GetParam())); }
    int lastIndex() const { return lastRecord(); }
    QString cell(int index, int column) const { return operators.table().operatorCell(index, column); }
    void setPasswords(const QString &text)
    {
        for (int k = 0; k < 25; ++k)
            operators.table().setOperatorCell(k, OperatorTable::Password, text);
    }
    void acknowledgeAll() { FamilyRig::acknowledgeAll(118); }
};

TEST_P(Rig, ReplyForAnotherIndexWaitsForTheOneAskedFor)
{
    operators.BtnOReadClick();
    EXPECT_EQ(readsStarted, 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 75 01 00 8A 98 0D"));
    EXPECT_EQ(statuses, QStringList{Reading});
    // The register answers operator 4 to the request for 0: a late reply,
    // not the answer. Nothing is filled and nothing more is asked.
    driver.received(reply(117, operatorRecord(4, padded("MARKO"), "07 00 00 00")));
    for (int k = 0; k < 25; ++k)
        EXPECT_EQ(cell(k, OperatorTable::Name), QString()) << k;
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_TRUE(timer.active);
    EXPECT_TRUE(progress.isEmpty());
    // The answer for operator 0 fills it and asks for operator 1.
    driver.received(reply(117, operatorRecord(0, padded("MARKO"), "07 00 00 00")));
    EXPECT_EQ(cell(0, OperatorTable::Name), QStringLiteral("MARKO"));
    EXPECT_EQ(cell(0, OperatorTable::Password), QStringLiteral("7"));
    EXPECT_EQ(cell(4, OperatorTable::Name), QString());
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 75 01 01 8D 9B 0D"));
    EXPECT_EQ(progress, QList<int>{0});
}

TEST_P(Rig, FullReadFillsAllEighteenColumns)
{
    operators.BtnOReadClick();
    for (int k = 0; k < 25; ++k) {
        ASSERT_EQ(lastCommand(), 0x75);
        ASSERT_EQ(lastIndex(), k);
        QByteArray data = operatorRecord(k, k == 3 ? QByteArray(19, char(0xFF)) : padded("OP" + QByteArray::number(k)),
                                         "40 E2 01 00", quint32(k));
        data.append(hexBytes("AB CD EF")); // data past the record is ignored
        driver.received(reply(117, data));
    }
    EXPECT_EQ(port.writes.size(), 25);
    for (int k = 0; k < 25; ++k) {
        EXPECT_EQ(cell(k, OperatorTable::Name), k == 3 ? QString() : "OP" + QString::number(k));
        EXPECT_EQ(cell(k, OperatorTable::Password), QStringLiteral("123456"));
        for (int j = 0; j < 16; ++j) {
            // Hundredths j: 0 shows none, 10 shows one digit, the others two.
            QString expected = QString::number(100 * j + k);
            if (j == 10)
                expected += s(",1");
            else if (j != 0)
                expected += s(",") + QStringLiteral("%1").arg(j, 2, 10, QLatin1Char('0'));
            EXPECT_EQ(cell(k, OperatorTable::FirstAmount + j), expected) << k << "," << j;
        }
        EXPECT_EQ(operators.table().cell(0, k + 1), QString::number(k + 1));
    }
    EXPECT_EQ(statuses, (QStringList{Reading, ReadDone}));
    QList<int> expected;
    for (int k = 0; k < 25; ++k)
        expected << (k + 1) / 2;
    expected << 0;
    EXPECT_EQ(progress, expected);
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, IndexAboveTwentyFourFillsNothingAndTheReadWaits)
{
    operators.BtnOReadClick();
    driver.received(reply(117, operatorRecord(200, padded("X"), "01 00 00 00")));
    EXPECT_EQ(port.writes.size(), 1);
    for (int k = 0; k < 25; ++k)
        EXPECT_EQ(cell(k, OperatorTable::Name), QString());
    EXPECT_EQ(statuses, QStringList{Reading});
    EXPECT_TRUE(progress.isEmpty());
    EXPECT_TRUE(driver.isBusy());
    // The repeat asks for operator 0 again; its answer goes on to operator 1.
    driver.retryTick();
    ASSERT_EQ(port.writes.size(), 2);
    EXPECT_EQ(port.last(), port.writes.first());
    driver.received(reply(117, operatorRecord(0, padded("X"), "01 00 00 00")));
    EXPECT_EQ(cell(0, OperatorTable::Name), QStringLiteral("X"));
    EXPECT_EQ(lastIndex(), 1);
}

TEST_P(Rig, ShortReplyFillsNothingButTheReadGoesOn)
{
    operators.BtnOReadClick();
    driver.received(reply(117, operatorRecord(0, padded("A"), "01 00 00 00").left(50)));
    EXPECT_EQ(cell(0, OperatorTable::Name), QString());
    EXPECT_EQ(lastIndex(), 1);
    driver.received(reply(117, QByteArray()));
    EXPECT_EQ(statuses.last(), ReadDone);
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, FirstRecordVariants)
{
    struct Case {
        const char *name;
        const char *password;
        const char *frameHex;
    };
    const Case cases[] = {
        {"", "001234", "AA 01 11 00 45 12 01 76 18 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                       "D2 04 00 00 65 AB 0D"},
        {" \t ", "1234", "AA 01 11 00 45 12 01 76 18 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                         "D2 04 00 00 65 AB 0D"},
        {"Петар", "999999", "AA 01 11 00 45 12 01 76 18 00 8F A5 B2 A0 B0 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                            "00 3F 42 0F 00 68 78 0D"},
    };
    for (const Case &c : cases) {
        port.writes.clear();
        driver.reset();
        operators.table().setOperatorCell(0, OperatorTable::Name, u(c.name));
        operators.table().setOperatorCell(0, OperatorTable::Password, u(c.password));
        operators.BtnOWriteClick();
        EXPECT_EQ(port.last().toHex(' ').toUpper(), hexBytes(c.frameHex).toHex(' ').toUpper()) << c.name;
        EXPECT_EQ(port.last().size(), 36);
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_P(Rig, CompleteWriteSendsTwentyFiveRecordsAndKeepsTheAmounts)
{
    setPasswords(QStringLiteral("0"));
    for (int k = 0; k < 25; ++k)
        operators.table().setOperatorCell(k, OperatorTable::FirstAmount + 5, s("12,5"));
    operators.table().setOperatorCell(24, OperatorTable::Name, QStringLiteral("ABC"));
    operators.BtnOWriteClick();
    for (int k = 0; k < 25; ++k) {
        ASSERT_EQ(lastCommand(), 0x76);
        ASSERT_EQ(lastIndex(), k);
        EXPECT_EQ(driver.transferIndex(), k);
        driver.received(reply(118, QByteArray()));
    }
    EXPECT_EQ(port.writes.size(), 25);
    EXPECT_EQ(port.writes[24], hexBytes("AA 01 11 00 45 12 31 76 18 18 41 42 43 00 00 00 00 00 00 00 00 00 00 00 00 "
                                        "00 00 00 00 00 00 00 00 B0 EA 0D"));
    EXPECT_EQ(statuses, (QStringList{Writing, WriteDone}));
    QList<int> expected(25, 1);
    expected << 0;
    EXPECT_EQ(progress, expected);
    EXPECT_FALSE(operators.isWriting());
    EXPECT_FALSE(driver.isBusy());
    EXPECT_EQ(cell(10, OperatorTable::FirstAmount + 5), s("12,5"));
    driver.received(reply(118, QByteArray()));
    EXPECT_EQ(port.writes.size(), 25);
}

class RefusedPassword : public ::testing::TestWithParam<const char *> {};

TEST_P(RefusedPassword, AtTheFirstOperatorNothingIsSent)
{
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
    FamilyContext ctx{driver, Regional::comma()};
    Operators operators{ctx};
    QStringList statuses, messages;
    QList<int> progress;
    QObject::connect(&operators, &Operators::status, [&](const QString &t) { statuses << t; });
    QObject::connect(&operators, &Operators::progress, [&](int v) { progress << v; });
    QObject::connect(&operators, &Operators::message,
                     [&](const QString &t, const QString &x) { messages << t + "|" + x; });
    operators.table().setOperatorCell(0, OperatorTable::Password, u(GetParam()));
    operators.BtnOWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(messages, QStringList{Refusal});
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, QList<int>{1});
    EXPECT_FALSE(operators.isWriting());
}

INSTANTIATE_TEST_SUITE_P(Operators, RefusedPassword,
                         ::testing::Values("1234567", "12a4", " 1234", "1234 ", "4294967295", "12,5"));

TEST_P(Rig, RefusedLaterPasswordStopsTheWriteThere)
{
    setPasswords(QStringLiteral("11"));
    operators.table().setOperatorCell(9, OperatorTable::Password, QStringLiteral("1000000"));
    operators.BtnOWriteClick();
    acknowledgeAll();
    EXPECT_EQ(port.writes.size(), 9);
    EXPECT_EQ(lastIndex(), 8);
    EXPECT_EQ(messages, QStringList{Refusal});
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress.last(), 1);
    EXPECT_FALSE(driver.isBusy());
    driver.received(reply(118, QByteArray()));
    EXPECT_EQ(port.writes.size(), 9);
}

TEST_P(Rig, EmptyPasswordGoesToTheErrorReport)
{
    setPasswords(QStringLiteral("5"));
    operators.table().setOperatorCell(3, OperatorTable::Password, QString());
    operators.BtnOWriteClick();
    acknowledgeAll();
    EXPECT_EQ(port.writes.size(), 3);
    EXPECT_EQ(errors, QStringList{QStringLiteral("'' is not a valid integer value")});
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(operators.isWriting());
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, TableThatWasNeverReadStopsAtTheFirstOperator)
{
    operators.BtnOReadClick();
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    port.writes.clear();
    operators.BtnOWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(errors, QStringList{QStringLiteral("'' is not a valid integer value")});
}

TEST_P(Rig, PasswordReadWithLeadingZerosTravelsWithout)
{
    operators.BtnOReadClick();
    driver.received(reply(117, operatorRecord(0, padded("A"), "0A 00 00 00")));
    EXPECT_EQ(cell(0, OperatorTable::Password), QStringLiteral("10"));
    operators.table().setOperatorCell(0, OperatorTable::Password, QStringLiteral("000010"));
    driver.reset();
    port.writes.clear();
    operators.BtnOWriteClick();
    EXPECT_EQ(port.last().mid(29, 4), hexBytes("0A 00 00 00"));
}

INSTANTIATE_TEST_SUITE_P(Separators, Separator, ::testing::Values(',', '.'));
INSTANTIATE_TEST_SUITE_P(Separators, Rig, ::testing::Values(',', '.'));

} // namespace
