#include "barcode/scancollector.h"

#include <QByteArray>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray hex(const char *h) { return QByteArray::fromHex(QByteArray(h).replace(' ', "")); }

// Receive events in order, the codes completed after each, and what stays.
struct ScanCase {
    const char *name;
    std::vector<const char *> eventsHex;
    std::vector<QStringList> codesPerEvent;
    const char *pendingHex;
};

class ScanCases : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanCases, CollectsDigitsUpToTheLineEnd)
{
    const ScanCase &c = GetParam();
    ASSERT_EQ(c.eventsHex.size(), c.codesPerEvent.size());
    ScanCollector collector;
    for (std::size_t i = 0; i < c.eventsHex.size(); ++i)
        EXPECT_EQ(collector.received(hex(c.eventsHex[i])), c.codesPerEvent[i]) << c.name << " event " << i;
    EXPECT_EQ(collector.pending(), hex(c.pendingHex)) << c.name;
}

const QString Code = QStringLiteral("8600123456789");

// 8600123456789 = 38 36 30 30 31 32 33 34 35 36 37 38 39
INSTANTIATE_TEST_SUITE_P(
    Table, ScanCases,
    ::testing::Values(
        ScanCase{"whole scan with CR LF in one event",
                 {"38 36 30 30 31 32 33 34 35 36 37 38 39 0d 0a"}, {{Code}}, ""},
        ScanCase{"split in three events, LF left for the next scan",
                 {"38 36 30 30 31 32", "33 34 35 36 37 38 39 0d", "0a"}, {{}, {Code}, {}}, "0a"},
        ScanCase{"the lone LF left over is dropped with the next scan",
                 {"31 32 33 0d", "0a", "34 35 0d"}, {{QStringLiteral("123")}, {}, {QStringLiteral("45")}}, ""},
        ScanCase{"a lone CR completes nothing", {"0d"}, {{}}, "0d"},
        ScanCase{"a lone LF completes nothing", {"0a"}, {{}}, "0a"},
        ScanCase{"letter prefix dropped", {"41 38 36 30 30 31 32 33 34 35 36 37 38 39 0d"}, {{Code}}, ""},
        ScanCase{"LF alone as line end", {"31 32 0a"}, {{QStringLiteral("12")}}, ""},
        ScanCase{"one digit and CR is a scan", {"37 0d"}, {{QStringLiteral("7")}}, ""},
        ScanCase{"CR LF with nothing before gives an empty code", {"0d 0a"}, {{QString()}}, ""},
        ScanCase{"no line end waits", {"31 32 33"}, {{}}, "31 32 33"},
        ScanCase{"blanks, letters and high bytes dropped", {"20 35 ff c8 2d 36 0d"}, {{QStringLiteral("56")}}, ""},
        ScanCase{"NUL inside kept out of the code", {"31 00 32 0d"}, {{QStringLiteral("12")}}, ""},
        ScanCase{"two scans in one event stay two",
                 {"31 31 31 0d 0a 32 32 32 0d 0a"}, {{QStringLiteral("111"), QStringLiteral("222")}}, ""},
        ScanCase{"a scan and the start of the next",
                 {"31 31 0d 32 32"}, {{QStringLiteral("11")}}, "32 32"},
        ScanCase{"CR then CR LF in one run is one line end", {"31 0d 0d 0a"}, {{QStringLiteral("1")}}, ""}),
    [](const ::testing::TestParamInfo<ScanCase> &info) { return "case" + std::to_string(info.index); });

TEST(ScanCollector, ByteByByteGivesTheSameCodeAsWhole)
{
    const QByteArray scan = hex("38 36 30 30 31 32 33 34 35 36 37 38 39 0d 0a");
    ScanCollector whole;
    const QStringList wholeCodes = whole.received(scan);
    ScanCollector split;
    QStringList splitCodes;
    for (char b : scan)
        splitCodes << split.received(QByteArray(1, b));
    EXPECT_EQ(wholeCodes, QStringList{Code});
    EXPECT_EQ(splitCodes, QStringList{Code});
    // Byte by byte the LF arrives alone and waits; it is dropped next time.
    EXPECT_EQ(split.pending(), hex("0a"));
    EXPECT_EQ(split.received(hex("35 0d")), QStringList{QStringLiteral("5")});
}

TEST(ScanCollector, ClearEmptiesThePendingText)
{
    ScanCollector collector;
    collector.received(hex("31 32"));
    collector.clear();
    EXPECT_TRUE(collector.pending().isEmpty());
    EXPECT_EQ(collector.received(hex("33 0d")), QStringList{QStringLiteral("3")});
}

TEST(ScanCollector, EndlessTextWithoutLineEndsStaysBounded)
{
    ScanCollector collector;
    const QByteArray chunk(1000, 'x');
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(collector.received(chunk).isEmpty());
    EXPECT_EQ(collector.pending().size(), ScanCollector::MaxPending);
    // The latest characters are kept: a scan after the junk still reads.
    EXPECT_EQ(collector.received(hex("34 32 0d")), QStringList{QStringLiteral("42")});
}

TEST(ScanCollector, DigitsOf)
{
    EXPECT_EQ(ScanCollector::digitsOf(hex("30 39 2f 3a 41")), QStringLiteral("09"));
    EXPECT_EQ(ScanCollector::digitsOf(QByteArray()), QString());
}

} // namespace
