// The spreadsheet actions worked out on a plain table: where a block goes,
// what is left out, what the typing rules change, fill down and clear.
#include "edit/tableedits.h"

#include "support/texttable.h"

#include <gtest/gtest.h>

namespace {

CellSelection at(int row, int column, std::vector<CellRect> rects = {})
{
    CellSelection s;
    s.currentRow = row;
    s.currentColumn = column;
    s.rects = rects.empty() ? std::vector<CellRect>{CellRect{row, column, row, column}} : rects;
    return s;
}

// The written cells as "row,column=text".
QStringList written(const std::vector<CellWrite> &writes)
{
    QStringList out;
    for (const CellWrite &w : writes)
        out << QStringLiteral("%1,%2=%3").arg(w.row).arg(w.column).arg(w.text);
    return out;
}

struct PasteCase {
    const char *name;
    CellSelection selection;
    ClipboardText::Block block;
    QStringList writes;
    int leftOutRows;
    int leftOutColumns;
};

void PrintTo(const PasteCase &c, std::ostream *out) { *out << c.name; }

class Pasting : public ::testing::TestWithParam<PasteCase> {};

TEST_P(Pasting, WritesTheCellsAndCountsWhatIsLeftOut)
{
    const TextTable table(5, 4);
    const TableEdits::Paste p = TableEdits::paste(table, GetParam().selection, GetParam().block);
    EXPECT_EQ(written(p.writes), GetParam().writes);
    EXPECT_EQ(p.leftOutRows, GetParam().leftOutRows);
    EXPECT_EQ(p.leftOutColumns, GetParam().leftOutColumns);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, Pasting,
    ::testing::Values(
        PasteCase{"BlockAtTheCurrentCell", at(1, 1), {{"a", "b"}, {"c", "d"}}, {"1,1=a", "1,2=B", "2,1=c", "2,2=D"}, 0, 0},
        PasteCase{"PastTheLastRowAndColumn", at(3, 2), {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}},
                  {"3,2=A", "3,3=b", "4,2=D", "4,3=e"}, 1, 1},
        PasteCase{"FixedColumnSkipped", at(0, 0), {{"x", "a"}}, {"0,1=a"}, 0, 0},
        PasteCase{"UnchangedCellsNotWritten", at(0, 1), {{"s0.1", "new"}}, {"0,2=NEW"}, 0, 0},
        PasteCase{"OneValueIntoEverySelectedCell", at(0, 1, {CellRect{0, 1, 1, 2}, CellRect{4, 3, 4, 3}}), {{"v"}},
                  {"0,1=v", "0,2=V", "1,1=v", "1,2=V", "4,3=v"}, 0, 0},
        PasteCase{"BlockRepeatedOverALargerSelection", at(0, 1, {CellRect{0, 1, 3, 1}}), {{"a"}, {"b"}},
                  {"0,1=a", "1,1=b", "2,1=a", "3,1=b"}, 0, 0},
        PasteCase{"SelectionSmallerThanBlockTakesItWhole", at(0, 1, {CellRect{0, 1, 1, 1}}), {{"a"}, {"b"}, {"c"}},
                  {"0,1=a", "1,1=b", "2,1=c"}, 0, 0},
        PasteCase{"ShortRowFillsEmpty", at(0, 1), {{"a", "b"}, {"c"}}, {"0,1=a", "0,2=B", "1,1=c", "1,2="}, 0, 0},
        PasteCase{"EmptyClipboard", at(0, 1), {}, {}, 0, 0}),
    [](const ::testing::TestParamInfo<PasteCase> &info) { return std::string(info.param.name); });

TEST(TableEdits, TypingRulesAreListedAtMostTwenty)
{
    TextTable table(30, 4);
    ClipboardText::Block block;
    for (int r = 0; r < 25; ++r)
        block << QStringList{QStringLiteral("abcd")};
    const TableEdits::Paste p = TableEdits::paste(table, at(0, 3), block);
    ASSERT_EQ(p.adjusted.size(), 25u);
    EXPECT_EQ(p.adjusted[0].given, QStringLiteral("abcd"));
    EXPECT_EQ(p.adjusted[0].stored, QStringLiteral("abc"));
    const QStringList lines = TableEdits::adjustedText(table, p.adjusted).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 22); // the heading, twenty cells, the rest counted
    EXPECT_EQ(lines[1], QStringLiteral("ред s0.0, h3: „abcd“ → „abc“"));
    EXPECT_EQ(lines.last(), QStringLiteral("и још 5"));
    EXPECT_TRUE(TableEdits::adjustedText(table, {}).isEmpty());
}

TEST(TableEdits, FillDownTakesEachColumnsTopCell)
{
    TextTable table(4, 3);
    table.set(1, 2, QStringLiteral("x"));
    EXPECT_EQ(written(TableEdits::fillDown(table, at(1, 0, {CellRect{1, 0, 3, 2}}))),
              QStringList({"2,1=s1.1", "3,1=s1.1", "2,2=X", "3,2=X"}));
}

TEST(TableEdits, ClearPutsBackStartTexts)
{
    TextTable table(3, 3);
    table.set(0, 1, QStringLiteral("a"));
    table.set(2, 2, QStringLiteral("b"));
    EXPECT_EQ(written(TableEdits::clear(table, at(0, 0, {CellRect{0, 0, 2, 2}}))), QStringList({"0,1=s0.1", "2,2=s2.2"}));
}

TEST(TableEdits, CopyGivesTheBoundsWithOrWithoutHeadings)
{
    const TextTable table(3, 3);
    EXPECT_EQ(TableEdits::copy(table, at(0, 1, {CellRect{0, 1, 1, 2}}), true),
              ClipboardText::Block({{"h1", "h2"}, {"s0.1", "s0.2"}, {"s1.1", "s1.2"}}));
    // Cells between two rectangles come out empty.
    EXPECT_EQ(TableEdits::copy(table, at(0, 0, {CellRect{0, 0, 0, 0}, CellRect{1, 1, 1, 1}}), false),
              ClipboardText::Block({{"s0.0", ""}, {"", "s1.1"}}));
}

struct Counted {
    int n;
    const char *cells;
};

class CellCounts : public ::testing::TestWithParam<Counted> {};

TEST_P(CellCounts, AgreeWithTheNumber)
{
    EXPECT_EQ(TableEdits::cellCount(GetParam().n), QString::fromUtf8(GetParam().cells));
}

INSTANTIATE_TEST_SUITE_P(Numbers, CellCounts,
                         ::testing::Values(Counted{1, "1 ћелије"}, Counted{3, "3 ћелије"}, Counted{5, "5 ћелија"},
                                           Counted{11, "11 ћелија"}, Counted{12, "12 ћелија"},
                                           Counted{21, "21 ћелије"}, Counted{120, "120 ћелија"}));

TEST(TableEdits, LeftOutTextNamesRowsAndColumns)
{
    TableEdits::Paste p;
    EXPECT_TRUE(TableEdits::leftOutText(p).isEmpty());
    p.leftOutRows = 4;
    EXPECT_EQ(TableEdits::leftOutText(p), QStringLiteral("Изван табеле, није налепљено: 4 реда"));
    p.leftOutRows = 5;
    p.leftOutColumns = 1;
    EXPECT_EQ(TableEdits::leftOutText(p), QStringLiteral("Изван табеле, није налепљено: 5 редова и 1 колона"));
}

} // namespace
