// Cell blocks as clipboard text, the way Calc and Excel write and read it.
#include "edit/clipboardtext.h"

#include <gtest/gtest.h>

namespace {

using Block = ClipboardText::Block;

struct Decoding {
    const char *name;
    QString text;
    Block cells;
};

void PrintTo(const Decoding &d, std::ostream *out) { *out << d.name; }

class Decode : public ::testing::TestWithParam<Decoding> {};

TEST_P(Decode, GivesTheCells)
{
    EXPECT_EQ(ClipboardText::decode(GetParam().text), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Decode,
    ::testing::Values(
        Decoding{"OneValue", QStringLiteral("Хлеб"), {{QStringLiteral("Хлеб")}}},
        Decoding{"OneValueAndLineBreak", QStringLiteral("Хлеб\r\n"), {{QStringLiteral("Хлеб")}}},
        Decoding{"Empty", QString(), {}},
        Decoding{"CrLfRows", QStringLiteral("a\tb\r\nc\td\r\n"), {{"a", "b"}, {"c", "d"}}},
        Decoding{"LfRowsNoTrailingBreak", QStringLiteral("a\tb\nc\td"), {{"a", "b"}, {"c", "d"}}},
        Decoding{"CrRows", QStringLiteral("a\rb\r"), {{"a"}, {"b"}}},
        Decoding{"EmptyCells", QStringLiteral("\t\r\n\tx\r\n"), {{"", ""}, {"", "x"}}},
        Decoding{"EmptyRowInside", QStringLiteral("a\r\n\r\nb\r\n"), {{"a"}, {""}, {"b"}}},
        Decoding{"QuotedLineBreakAndTab", QStringLiteral("\"Хлеб\nбели\"\t\"a\tb\"\r\n"),
                 {{QStringLiteral("Хлеб\nбели"), "a\tb"}}},
        Decoding{"DoubledQuotes", QStringLiteral("\"Сир \"\"Бели\"\"\"\t1\r\n"), {{QStringLiteral("Сир \"Бели\""), "1"}}},
        Decoding{"QuoteInsideUnquotedCell", QStringLiteral("5\" x\t2"), {{"5\" x", "2"}}},
        Decoding{"UnclosedQuoteRunsToTheEnd", QStringLiteral("\"a\tb"), {{"a\tb"}}},
        Decoding{"RaggedRows", QStringLiteral("a\tb\tc\r\nd\r\n"), {{"a", "b", "c"}, {"d"}}}),
    [](const ::testing::TestParamInfo<Decoding> &info) { return std::string(info.param.name); });

TEST(ClipboardText, EncodesAsCalcAndExcelDo)
{
    const Block cells = {{QStringLiteral("Хлеб\nбели"), "a\tb", "x\"y"}, {"", "0012345", "12,50"}};
    EXPECT_EQ(ClipboardText::encode(cells),
              QStringLiteral("\"Хлеб\nбели\"\t\"a\tb\"\t\"x\"\"y\"\r\n\t0012345\t12,50\r\n"));
}

TEST(ClipboardText, RoundTripKeepsEveryCell)
{
    const Block cells = {{"\"", "\r\n", ""}, {QStringLiteral(" Ђ "), "\t\t", "\"\""}, {"a", "b", "c"}};
    EXPECT_EQ(ClipboardText::decode(ClipboardText::encode(cells)), cells);
    EXPECT_EQ(ClipboardText::width(cells), 3);
}

} // namespace
