#include "core/decimaltext.h"
#include "core/programerror.h"

#include <gtest/gtest.h>

using namespace DecimalText;

namespace {

// Writes a decimal text with the separator under test in place of the ','.
QString withSeparator(const char *text, QChar decimal)
{
    return QString::fromUtf8(text).replace(QLatin1Char(','), decimal);
}

class UnderBothSeparators : public ::testing::TestWithParam<QChar> {
protected:
    Regional regional() const { return Regional::withDecimal(GetParam()); }
    QChar d() const { return GetParam(); }
};

} // namespace

TEST_P(UnderBothSeparators, HundredthsAreCutTowardZero)
{
    struct Case {
        const char *text;
        qint64 hundredths;
    } cases[] = {
        {"8,5", 850}, {"12,345", 1234}, {"2,999", 299}, {"8,2", 820}, {"0,5", 50},
        {"100", 10000}, {",5", 50}, {"-2,999", -299}, {"  7", 700}, {"0,01", 1},
        {"0,009", 0}, {"1e2", 10000}, {"1,5E1", 1500}, {"999999999", 99999999900},
    };
    for (const Case &c : cases) {
        const ScaledNumber n = parseCell(withSeparator(c.text, d()), regional(), 2);
        EXPECT_EQ(n.units, c.hundredths) << c.text;
    }
}

TEST_P(UnderBothSeparators, ThousandthsAreCutTowardZero)
{
    EXPECT_EQ(parseCell(withSeparator("2,5", d()), regional(), 3).units, 2500);
    EXPECT_EQ(parseCell(withSeparator("-3", d()), regional(), 3).units, -3000);
    EXPECT_EQ(parseCell(withSeparator("-0,0019", d()), regional(), 3).units, -1);
    EXPECT_EQ(parseCell(withSeparator("2,75", d()), regional(), 3).units, 2750);
}

TEST_P(UnderBothSeparators, PointAlwaysWorksWithoutTheRegionalSeparator)
{
    EXPECT_EQ(parseCell(QStringLiteral("12.5"), regional(), 2).units, 1250);
}

TEST_P(UnderBothSeparators, NegativeFlagFollowsTheValue)
{
    EXPECT_TRUE(parseCell(QStringLiteral("-5"), regional(), 2).negative);
    EXPECT_FALSE(parseCell(QStringLiteral("-0"), regional(), 2).negative);
    EXPECT_TRUE(parseCell(withSeparator("-0,001", d()), regional(), 2).negative)
        << "below zero even though the cut value is 0";
}

TEST_P(UnderBothSeparators, BadTextsThrowTheSystemText)
{
    for (const char *bad : {"", "abc", "1,2,3", "--1", "1 2", "1e", ",", "+", "12x"}) {
        const QString text = withSeparator(bad, d());
        try {
            parseCell(text, regional(), 2);
            ADD_FAILURE() << "converted: " << bad;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
    }
}

TEST_P(UnderBothSeparators, PlainNumberForm)
{
    struct Case {
        qint64 units;
        int scale;
        const char *text;
    } cases[] = {
        {500, 2, "5"}, {513, 2, "5,13"}, {1000050, 2, "10000,5"}, {429496729599, 2, "4294967295,99"},
        {850, 2, "8,5"}, {1, 2, "0,01"}, {0, 2, "0"}, {-1, 3, "-0,001"}, {2500, 3, "2,5"},
        {-3000, 3, "-3"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatScaled(c.units, c.scale, d()), withSeparator(c.text, d()));
}

INSTANTIATE_TEST_SUITE_P(Separators, UnderBothSeparators,
                         ::testing::Values(QChar(u','), QChar(u'.')),
                         [](const auto &info) { return info.param == u',' ? "comma" : "point"; });

TEST(DecimalText, HugeValuesSaturateInsteadOfOverflowing)
{
    const ScaledNumber n = parse(QStringLiteral("1e40"), QLatin1Char('.'), 2);
    EXPECT_TRUE(n.saturated);
    EXPECT_GT(n.units, 99999999999LL);
    EXPECT_EQ(parse(QStringLiteral("1e-40"), QLatin1Char('.'), 2).units, 0);
    EXPECT_TRUE(parse(QStringLiteral("9e99999999999"), QLatin1Char('.'), 2).saturated);
}

TEST(DecimalText, CommaIsNoMarkUnderFixedRules)
{
    // With a point as the regional separator, a comma text is not a number.
    EXPECT_THROW(parseCell(QStringLiteral("12,5"), Regional::point(), 2), ConversionError);
}

TEST(DecimalText, Integers)
{
    int v = 0;
    EXPECT_TRUE(tryParseInteger(QStringLiteral("12"), &v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(tryParseInteger(QStringLiteral("  -7"), &v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(tryParseInteger(QStringLiteral("-2147483648"), &v));
    EXPECT_EQ(v, -2147483647 - 1);
    for (const char *bad : {"", " ", "1.5", "12 ", "x", "2147483648", "99999999999999999999", "-"})
        EXPECT_FALSE(tryParseInteger(QString::fromLatin1(bad), &v)) << bad;
    try {
        parseInteger(QStringLiteral("1,5"));
        ADD_FAILURE();
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("'1,5' is not a valid integer value"));
    }
}
