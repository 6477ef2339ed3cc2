#include "core/programerror.h"
#include "params/common/celltext.h"
#include "params/groups/grouprecord.h"
#include "params/groups/grouptable.h"
#include "support/fakelink.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// A group record as the register sends it: number, 19 name bytes, share
// (low byte first), turnover whole part (low byte first) and hundredths.
QByteArray groupRecord(int group, const QByteArray &name, const char *shareAndTurnoverHex)
{
    return char(group) + name + QByteArray(19 - name.size(), '\0') + hexBytes(shareAndTurnoverHex);
}

// ---- the revenue share --------------------------------------------------

enum Outcome { Accepted, Refused, Throws };

struct ShareCase {
    char decimal;
    const char *text;
    Outcome outcome;
    int wire;
};

class ShareConversion : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ShareConversion, Converts)
{
    const ShareCase &c = GetParam();
    const Regional regional = Regional::withDecimal(QLatin1Char(c.decimal));
    const QString text = u(c.text);
    if (c.outcome == Throws) {
        try {
            CellText::percent(text, regional);
            FAIL() << "no conversion error for " << c.text;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
        return;
    }
    const CellText::Percent share = CellText::percent(text, regional);
    EXPECT_EQ(share.accepted, c.outcome == Accepted) << c.text;
    if (c.outcome == Accepted) {
        EXPECT_EQ(share.wire, c.wire) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Groups, ShareConversion,
    ::testing::Values(
        ShareCase{',', "100", Accepted, 10000}, ShareCase{',', "0", Accepted, 0},
        ShareCase{',', "0,00", Accepted, 0}, ShareCase{',', "12,5", Accepted, 1250},
        ShareCase{',', "12.5", Accepted, 1250}, ShareCase{',', "8,2", Accepted, 820},
        ShareCase{',', "33,339", Accepted, 3333}, ShareCase{',', " +7", Accepted, 700},
        ShareCase{',', "100,00", Accepted, 10000}, ShareCase{',', "0,009", Accepted, 0},
        ShareCase{',', "101", Refused, 0}, ShareCase{',', "", Refused, 0},
        ShareCase{',', "100.001", Refused, 0}, ShareCase{',', "100,01", Refused, 0},
        ShareCase{',', "655,35", Refused, 0}, ShareCase{',', "700,5", Refused, 0},
        ShareCase{',', "-1", Refused, 0}, ShareCase{',', "-0,5", Refused, 0},
        ShareCase{',', "abc", Refused, 0}, ShareCase{',', "5%", Refused, 0},
        ShareCase{',', "99999999999999999999999", Refused, 0}, ShareCase{',', "1,2,3", Throws, 0},
        ShareCase{',', ",", Throws, 0}, ShareCase{',', "5,x", Throws, 0},
        ShareCase{'.', "100", Accepted, 10000}, ShareCase{'.', "12.5", Accepted, 1250},
        ShareCase{'.', "8.2", Accepted, 820}, ShareCase{'.', "0.00", Accepted, 0},
        ShareCase{'.', "12,5", Refused, 0}, ShareCase{'.', "101", Refused, 0},
        ShareCase{'.', "100.5", Refused, 0}, ShareCase{'.', "-3", Refused, 0},
        ShareCase{'.', "", Refused, 0}, ShareCase{'.', "1.2.3", Throws, 0}, ShareCase{'.', "x.5", Throws, 0}));

// ---- the read reply -----------------------------------------------------

struct ReplyCase {
    const char *shareAndTurnoverHex;
    const char *share;    // with ',' standing for the separator
    const char *turnover; // with ',' standing for the separator
};

class Separator : public ::testing::TestWithParam<char> {
protected:
    QChar d() const { return QLatin1Char(GetParam()); }
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), d()); }
};

TEST_P(Separator, ReplyValuesInThePlainNumberForm)
{
    const ReplyCase cases[] = {
        {"00 00 00 00 00 00 00", "0", "0"},
        {"10 27 D2 04 00 00 05", "100", "1234,05"},
        {"E2 04 FF FF FF FF 63", "12,5", "4294967295,99"},
        {"01 00 01 00 00 00 0A", "0,01", "1,1"},
        {"FF FF 00 00 00 00 FF", "655,35", "2,55"},
    };
    for (const ReplyCase &c : cases) {
        const GroupRecord::Reply r =
            GroupRecord::readReply(groupRecord(3, "ABCD", c.shareAndTurnoverHex), d());
        EXPECT_TRUE(r.complete);
        EXPECT_EQ(r.number, 3);
        EXPECT_EQ(r.name, QStringLiteral("ABCD"));
        EXPECT_EQ(r.share, s(c.share)) << c.shareAndTurnoverHex;
        EXPECT_EQ(r.turnover, s(c.turnover)) << c.shareAndTurnoverHex;
    }
}

// ---- the table model ----------------------------------------------------

TEST_P(Separator, TableStartsWithNumbersNamesAndZeros)
{
    GroupTable table(d());
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(table.rowCount(), 14);
    EXPECT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.cell(0, 0), u("Број"));
    EXPECT_EQ(table.cell(1, 0), u("Назив"));
    EXPECT_EQ(table.cell(2, 0), u("Приход(%)"));
    EXPECT_EQ(table.cell(3, 0), u("Промет"));
    for (int g = 0; g <= 12; ++g) {
        EXPECT_EQ(table.cell(0, g + 1), QString::number(g));
        EXPECT_EQ(table.cell(1, g + 1), u("Група ") + QString::number(g));
        EXPECT_EQ(table.cell(2, g + 1), s("0,00"));
        EXPECT_EQ(table.cell(3, g + 1), s("0,00"));
    }
    EXPECT_FALSE(table.setData(table.index(0, 1), "x"));
    EXPECT_FALSE(table.setData(table.index(5, 0), "x"));
    EXPECT_FALSE(table.flags(table.index(0, 2)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(table.flags(table.index(4, 0)).testFlag(Qt::ItemIsEditable));
    for (int c = 1; c < 4; ++c)
        EXPECT_TRUE(table.flags(table.index(13, c)).testFlag(Qt::ItemIsEditable)) << c;
    EXPECT_TRUE(table.setData(table.index(4, 2), s("7,5")));
    EXPECT_EQ(table.recordCell(3, GroupTable::Share), s("7,5"));
    EXPECT_FALSE(table.setData(table.index(4, 2), "9", Qt::DisplayRole));
    EXPECT_EQ(table.cell(4, 1), QString());
    EXPECT_EQ(table.cell(0, 14), QString());
}

INSTANTIATE_TEST_SUITE_P(Separators, Separator, ::testing::Values(',', '.'));

} // namespace
