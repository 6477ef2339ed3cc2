#include "protocol/frame.h"
#include "params/taxrates/taxratefamily.h"
#include "support/fakelink.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање пореских група");
const QString WriteDone = QStringLiteral("Завршен упис пореских група");

QByteArray reply(std::uint8_t command, const QByteArray &data)
{
    return Frame::build({0x00, 0x45, 0x12}, 0x01, command, data);
}

// A tax-rate record: index, a blank, a label byte, the rate low byte first.
QByteArray rateReply(int index, int lo, int hi)
{
    QByteArray d;
    d.append(char(index)).append(' ').append(char(0x80)).append(char(lo)).append(char(hi));
    return reply(107, d);
}

// ---- entry conversion --------------------------------------------------

enum Outcome { Accepted, Refused, Throws };

struct EntryCase {
    char decimal;
    const char *text;
    Outcome outcome;
    int wire;
};

class EntryConversion : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryConversion, Converts)
{
    const EntryCase &c = GetParam();
    const Regional regional = Regional::withDecimal(QLatin1Char(c.decimal));
    const QString text = QString::fromUtf8(c.text);
    if (c.outcome == Throws) {
        try {
            TaxRateFamily::convertEntry(text, regional);
            FAIL() << "no conversion error for " << c.text;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
        return;
    }
    const TaxRateFamily::Entry entry = TaxRateFamily::convertEntry(text, regional);
    EXPECT_EQ(entry.accepted, c.outcome == Accepted) << c.text;
    if (c.outcome == Accepted) {
        EXPECT_EQ(entry.wire, c.wire) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TaxRateFamily, EntryConversion,
    ::testing::Values(
        // comma separator
        EntryCase{',', "12,5", Accepted, 1250}, EntryCase{',', "12.5", Accepted, 1250},
        EntryCase{',', "8,5", Accepted, 850}, EntryCase{',', "12,345", Accepted, 1234},
        EntryCase{',', "100", Accepted, 10000}, EntryCase{',', "0", Accepted, 0},
        EntryCase{',', " 7", Accepted, 700}, EntryCase{',', "+20", Accepted, 2000},
        EntryCase{',', "0,01", Accepted, 1}, EntryCase{',', "0,009", Accepted, 0},
        EntryCase{',', "*", Accepted, 0xFFFF}, EntryCase{',', "**,**", Accepted, 0xFFFF},
        EntryCase{',', "*x", Accepted, 0xFFFF}, EntryCase{',', "101", Refused, 0},
        EntryCase{',', "100.001", Refused, 0}, EntryCase{',', "100,01", Refused, 0},
        EntryCase{',', "655,35", Refused, 0}, EntryCase{',', "", Refused, 0},
        EntryCase{',', "abc", Refused, 0}, EntryCase{',', "12a", Refused, 0},
        EntryCase{',', "-5", Refused, 0}, EntryCase{',', "-0,5", Refused, 0},
        EntryCase{',', "99999999999999999999999", Refused, 0}, EntryCase{',', " *", Refused, 0},
        EntryCase{',', "1,2,3", Throws, 0}, EntryCase{',', "12,5%", Throws, 0},
        EntryCase{',', ",", Throws, 0},
        // point separator
        EntryCase{'.', "12.5", Accepted, 1250}, EntryCase{'.', "100", Accepted, 10000},
        EntryCase{'.', "8.5", Accepted, 850}, EntryCase{'.', "**.**", Accepted, 0xFFFF},
        EntryCase{'.', "12,5", Refused, 0}, EntryCase{'.', "101", Refused, 0},
        EntryCase{'.', "100.5", Refused, 0}, EntryCase{'.', "-1", Refused, 0},
        EntryCase{'.', "", Refused, 0}, EntryCase{'.', "1.2.3", Throws, 0},
        EntryCase{'.', "x.5", Throws, 0}));

// ---- texts under both separators ----------------------------------------

class Separator : public ::testing::TestWithParam<char> {
protected:
    QChar d() const { return QLatin1Char(GetParam()); }
};

TEST_P(Separator, RangeHintMarkerAndRateTexts)
{
    const QString s(d());
    EXPECT_EQ(TaxRateFamily::rangeHint(d()), "%(0" + s + "0-99" + s + "99)");
    EXPECT_EQ(TaxRateFamily::noRateText(d()), "**" + s + "**");
    EXPECT_EQ(TaxRateFamily::rateText(0xFFFF, d()), "**" + s + "**");
    EXPECT_EQ(TaxRateFamily::rateText(2000, d()), QStringLiteral("20"));
    EXPECT_EQ(TaxRateFamily::rateText(850, d()), "8" + s + "5");
    EXPECT_EQ(TaxRateFamily::rateText(1, d()), "0" + s + "01");
    EXPECT_EQ(TaxRateFamily::rateText(0, d()), QStringLiteral("0"));
    EXPECT_EQ(TaxRateFamily::rateText(65534, d()), "655" + s + "34");
}

TEST(TaxRateTexts, CommaHintReadsAsWritten)
{
    EXPECT_EQ(TaxRateFamily::rangeHint(QLatin1Char(',')), QStringLiteral("%(0,0-99,99)"));
    EXPECT_EQ(TaxRateFamily::rangeHint(QLatin1Char('.')), QStringLiteral("%(0.0-99.99)"));
}

// ---- the table model ----------------------------------------------------

TEST_P(Separator, TableStartsWithHeaderAndLabels)
{
    TaxRateTable table(d());
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(table.rowCount(), 10);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.cell(0, 0), QStringLiteral("П. Ст."));
    EXPECT_EQ(table.cell(1, 0), TaxRateFamily::rangeHint(d()));
    const QStringList labels = {"А", "Г", "Д", "Ђ", "Е", "Ж", "И", "J", "К"};
    for (int row = 1; row <= 9; ++row) {
        EXPECT_EQ(table.cell(0, row), labels[row - 1]);
        EXPECT_EQ(table.cell(1, row), QString());
    }
    EXPECT_EQ(table.cell(0, 8).at(0).unicode(), 0x004A); // the Latin J
    // Only the rate cells are editable.
    EXPECT_FALSE(table.setData(table.index(0, 1), "x"));
    EXPECT_FALSE(table.setData(table.index(3, 0), "x"));
    EXPECT_TRUE(table.setData(table.index(3, 1), "7,5"));
    EXPECT_EQ(table.rate(2), QStringLiteral("7,5"));
    EXPECT_FALSE(table.flags(table.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(table.flags(table.index(9, 1)).testFlag(Qt::ItemIsEditable));
}

// ---- transfers ----------------------------------------------------------

struct Rig : ::testing::TestWithParam<char> {
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx{driver, Regional::withDecimal(QLatin1Char(GetParam()))};
    TaxRateFamily rates{ctx};
    QStringList statuses;
    QList<int> progress;
    QStringList messages;
    QStringList errors;

    Rig()
    {
        driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
        QObject::connect(&rates, &TaxRateFamily::status, [this](const QString &s) { statuses << s; });
        QObject::connect(&rates, &TaxRateFamily::progress, [this](int v) { progress << v; });
        QObject::connect(&rates, &TaxRateFamily::message,
                         [this](const QString &t, const QString &x) { messages << t + "|" + x; });
        QObject::connect(&rates, &TaxRateFamily::programError, [this](const QString &e) { errors << e; });
    }
    QString d() const { return QString(QLatin1Char(GetParam())); }
    int lastIndex() const { return static_cast<std::uint8_t>(port.last().at(9)); }
    void fillRates()
    {
        for (int i = 0; i < 9; ++i)
            rates.table().setRate(i, QString::number(i * 2));
    }
    void answerReadFromWire(const std::array<int, 9> &wire)
    {
        while (static_cast<std::uint8_t>(port.last().at(7)) == 0x6B && port.writes.size() < 100) {
            const int k = lastIndex();
            driver.received(rateReply(k, wire[k] & 0xFF, wire[k] >> 8));
            if (k == 8)
                break;
        }
    }
};

TEST_P(Rig, ReplyForAnEarlierIndexWaitsForTheOneAskedFor)
{
    rates.btnTGReadClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 6B 01 00 80 86 0D"));
    EXPECT_EQ(statuses, QStringList{Reading});
    // The answer for index 0 fills row 0 and asks for index 1.
    driver.received(rateReply(0, 0xD0, 0x07));
    EXPECT_EQ(rates.table().cell(1, 1), QStringLiteral("20"));
    EXPECT_EQ(rates.table().cell(1, 4), QString());
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 6B 01 01 83 85 0D"));
    // Index 0 again while index 1 is asked for: a late duplicate, not the
    // answer. Nothing is filled and nothing more is asked.
    driver.received(rateReply(0, 0x10, 0x27));
    EXPECT_EQ(rates.table().cell(1, 1), QStringLiteral("20"));
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_TRUE(timer.active);
    EXPECT_EQ(statuses, QStringList{Reading});
}

TEST_P(Rig, FullReadShowsRatesAndMarker)
{
    rates.btnTGReadClick();
    answerReadFromWire({2000, 850, 1, 0xFFFF, 0, 10000, 65535, 2, 1000});
    EXPECT_EQ(port.writes.size(), 9);
    const QStringList expected = {"20", "8" + d() + "5", "0" + d() + "01", "**" + d() + "**", "0", "100",
                                  "**" + d() + "**", "0" + d() + "02", "10"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(rates.table().rate(i), expected[i]) << i;
    EXPECT_EQ(statuses, (QStringList{Reading, ReadDone}));
    EXPECT_EQ(progress.size(), 10);
    EXPECT_EQ(progress.last(), 0);
    EXPECT_EQ(progress.first(), 16);
    EXPECT_FALSE(driver.isBusy());
}

// The read follows the index each reply carries: an index above 8 fills
// nothing and ends the read, as index 8 does.
TEST_P(Rig, ReplyIndexAboveEightFillsNothingAndEndsTheRead)
{
    rates.btnTGReadClick();
    driver.received(rateReply(12, 1, 0));
    EXPECT_EQ(port.writes.size(), 1);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(rates.table().rate(i), QString());
    EXPECT_EQ(statuses, (QStringList{Reading, ReadDone}));
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, ShortReplyFillsNothingButTheReadGoesOn)
{
    rates.table().setRate(0, QStringLiteral("5"));
    rates.btnTGReadClick();
    driver.received(reply(107, QByteArray(1, '\0')));
    EXPECT_EQ(rates.table().rate(0), QStringLiteral("5"));
    EXPECT_EQ(lastIndex(), 1);
}

TEST_P(Rig, WriteRequestCarriesIndexLabelAndRate)
{
    rates.table().setRate(0, QStringLiteral("20"));
    rates.btnTGWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 6C 05 00 20 80 D0 07 FC F2 0D"));
    EXPECT_TRUE(rates.readBackPending());
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, QList<int>{1});
}

TEST_P(Rig, BothPointAndRegionalFormsOfTwelveAndAHalf)
{
    rates.table().setRate(0, "12" + d() + "5");
    rates.btnTGWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 6C 05 00 20 80 E2 04 0B C3 0D"));
}

TEST_P(Rig, MarkerReadBackIsWrittenAsFFFF)
{
    rates.btnTGReadClick();
    answerReadFromWire({0xFFFF, 0, 0, 0, 0, 0, 0, 0, 0});
    port.writes.clear();
    driver.reset();
    rates.btnTGWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 6C 05 00 20 80 FF FF 23 25 0D"));
}

TEST_P(Rig, CompleteWriteThenReadBack)
{
    fillRates();
    rates.table().setRate(7, QStringLiteral("100"));
    rates.btnTGWriteClick();
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(lastIndex(), i);
        driver.received(reply(108, QByteArray()));
    }
    // The eighth record: tax index 7, label J, 100 %.
    EXPECT_EQ(port.writes[7], hexBytes("AA 01 11 00 45 12 0F 6C 05 07 20 4A 10 27 3B D1 0D"));
    driver.received(reply(108, QByteArray()));
    ASSERT_EQ(port.writes.size(), 10);
    EXPECT_EQ(static_cast<std::uint8_t>(port.last().at(7)), 0x6B);
    EXPECT_EQ(statuses, (QStringList{Writing, WriteDone, Reading}));
    answerReadFromWire({1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(statuses, (QStringList{Writing, WriteDone, Reading, WriteDone}));
    EXPECT_FALSE(rates.readBackPending());
    EXPECT_EQ(rates.table().rate(8), "0" + d() + "09");
    EXPECT_EQ(progress.mid(0, 10), (QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(progress.last(), 0);
    // A later read reports a read again.
    rates.btnTGReadClick();
    answerReadFromWire({1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(statuses.last(), ReadDone);
}

TEST_P(Rig, LateReplyDuringTheNoReplyMessageEndsARead)
{
    // The read-back flag is cleared as the give-up starts, before the
    // no-reply message: a reply that arrives while the message is open ends
    // the read as a read.
    fillRates();
    rates.btnTGWriteClick();
    for (int i = 0; i < 9; ++i)
        driver.received(reply(108, QByteArray()));
    for (int k = 0; k < 8; ++k)
        driver.received(rateReply(lastIndex(), k, 0));
    ASSERT_EQ(lastIndex(), 8);
    QObject::connect(&driver, &ExchangeDriver::noReply, [this] { driver.received(rateReply(8, 1, 0)); });
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    EXPECT_EQ(rates.table().rate(8), QStringLiteral("0") + d() + QStringLiteral("01"));
    EXPECT_EQ(statuses.last(), ReadDone);
    EXPECT_FALSE(rates.readBackPending());
}

TEST_P(Rig, RefusedFirstEntrySendsNothing)
{
    fillRates();
    rates.table().setRate(0, QStringLiteral("101"));
    rates.btnTGWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Грешка !!! |Грешка у подацима. Унос отказан!")});
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, QList<int>{1});
    EXPECT_FALSE(rates.readBackPending());
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, RefusedLaterEntryStopsTheWriteAndALaterReadIsARead)
{
    fillRates();
    rates.table().setRate(3, QString()); // an empty cell is refused
    rates.btnTGWriteClick();
    driver.received(reply(108, {}));
    driver.received(reply(108, {}));
    driver.received(reply(108, {}));
    EXPECT_EQ(port.writes.size(), 3);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Грешка !!! |Грешка у подацима. Унос отказан!")});
    EXPECT_FALSE(rates.readBackPending());
    EXPECT_EQ(statuses.last(), Writing);
    EXPECT_EQ(progress.last(), 1);
    EXPECT_FALSE(driver.isBusy());
    rates.btnTGReadClick();
    answerReadFromWire({1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(statuses.last(), ReadDone);
}

TEST_P(Rig, UnconvertibleRegionalEntryGoesToTheErrorReport)
{
    fillRates();
    const QString bad = "1" + d() + "2" + d() + "3";
    rates.table().setRate(0, bad);
    rates.btnTGWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(errors, QStringList{QStringLiteral("'%1' is not a valid floating point value").arg(bad)});
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(rates.readBackPending());

    errors.clear();
    rates.table().setRate(0, QStringLiteral("5"));
    rates.table().setRate(2, bad);
    rates.btnTGWriteClick();
    driver.received(reply(108, {}));
    driver.received(reply(108, {}));
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_FALSE(rates.readBackPending());
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, GiveUpClearsTheReadBackFlag)
{
    fillRates();
    rates.btnTGWriteClick();
    ASSERT_TRUE(rates.readBackPending());
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    EXPECT_EQ(port.writes.size(), 4);
    EXPECT_FALSE(rates.readBackPending());
    rates.btnTGReadClick();
    answerReadFromWire({1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(statuses.last(), ReadDone);
}

INSTANTIATE_TEST_SUITE_P(Separators, Separator, ::testing::Values(',', '.'));
INSTANTIATE_TEST_SUITE_P(Separators, Rig, ::testing::Values(',', '.'));

} // namespace
