#include "params/articles/articletablemodel.h"
#include "search/articlesearch.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

using ArticleSearch::Mode;
using ArticleSearch::Outcome;

// A table with a few named articles; every other row is at its defaults.
class SearchTable : public ::testing::Test {
protected:
    ArticleTableModel model;

    void SetUp() override
    {
        name(4, "KAFA 200g");
        name(9, "МЛЕКО 1л");
        name(12, "Kafa Grand");
        name(20, "  \t");
        barcode(4, "8600123456789");
        barcode(7, "08600123456789");
        barcode(30, "00000000000123");
        barcode(40, "4711");
        barcode(41, "4711");
    }
    void name(int row, const char *text) { model.setCell(row, ArticleTableModel::Name, u(text)); }
    void barcode(int row, const char *text) { model.setCell(row, ArticleTableModel::Barcode, u(text)); }
};

TEST_F(SearchTable, ModelStaysConsistentUnderTheTester)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ArticleSearch::search(model, QStringLiteral("kafa"), Mode::Name);
    EXPECT_EQ(model.rowCount(), 4000);
}

struct SearchCase {
    const char *text;
    Mode mode;
    Outcome outcome;
    int row;
    const char *why;
};

class SearchCases : public SearchTable, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchCases, FindsTheFirstMatchingRow)
{
    const SearchCase &c = GetParam();
    const ArticleSearch::Result r = ArticleSearch::search(model, u(c.text), c.mode);
    EXPECT_EQ(r.outcome, c.outcome) << c.why;
    EXPECT_EQ(r.row, c.row) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SearchCases,
    ::testing::Values(
        SearchCase{"", Mode::Name, Outcome::NoText, -1, "empty text by name"},
        SearchCase{"", Mode::Barcode, Outcome::NoText, -1, "empty text by barcode"},
        SearchCase{"   ", Mode::Name, Outcome::NotFound, -1, "blanks only by name find nothing"},
        SearchCase{"\t\x01 ", Mode::Name, Outcome::NotFound, -1, "control characters only"},
        SearchCase{"kafa", Mode::Name, Outcome::Found, 4, "Latin letters ignore case, first row wins"},
        SearchCase{"  kafa\r\n", Mode::Name, Outcome::Found, 4, "blanks and control characters trimmed"},
        SearchCase{"GRAND", Mode::Name, Outcome::Found, 12, "part of a name"},
        SearchCase{"a g", Mode::Name, Outcome::Found, 12, "inner blank kept"},
        SearchCase{"200G", Mode::Name, Outcome::Found, 4, "name cell capitalised too"},
        SearchCase{"МЛЕКО", Mode::Name, Outcome::Found, 9, "Cyrillic as written"},
        SearchCase{"млеко", Mode::Name, Outcome::NotFound, -1, "Cyrillic case is not folded"},
        SearchCase{"1Л", Mode::Name, Outcome::NotFound, -1, "Cyrillic small л is not capitalised"},
        SearchCase{"kafa", Mode::Barcode, Outcome::NotFound, -1, "a name is not a barcode"},
        SearchCase{"8600123456789", Mode::Barcode, Outcome::Found, 4, "exact cell before padded"},
        SearchCase{"08600123456789", Mode::Barcode, Outcome::Found, 7, "exact 14 characters"},
        SearchCase{"123", Mode::Barcode, Outcome::Found, 30, "second pass pads to 14"},
        SearchCase{"4711", Mode::Barcode, Outcome::Found, 40, "two rows with one barcode: lower row"},
        SearchCase{"00000000000000", Mode::Barcode, Outcome::Found, 0, "default barcode of row 1"},
        SearchCase{"0", Mode::Barcode, Outcome::Found, 0, "0 padded is fourteen zeros"},
        SearchCase{" 123", Mode::Barcode, Outcome::NotFound, -1, "barcode text is not trimmed"},
        SearchCase{"086001234567890", Mode::Barcode, Outcome::NotFound, -1, "longer than 14, unpadded"}));

TEST(SearchHelpers, PaddingAndCapitals)
{
    EXPECT_EQ(ArticleSearch::paddedBarcode(QStringLiteral("123")), QStringLiteral("00000000000123"));
    EXPECT_EQ(ArticleSearch::paddedBarcode(QStringLiteral("12345678901234")), QStringLiteral("12345678901234"));
    EXPECT_EQ(ArticleSearch::paddedBarcode(QStringLiteral("123456789012345")), QStringLiteral("123456789012345"));
    EXPECT_EQ(ArticleSearch::paddedBarcode(QString()), QStringLiteral("00000000000000"));
    EXPECT_EQ(ArticleSearch::latinUpper(u("aZz{ čćшђ")), u("AZZ{ čćшђ"));
    EXPECT_EQ(ArticleSearch::namePattern(u("\x1f a b \x7f")), u("A B"));
    EXPECT_EQ(ArticleSearch::namePattern(u("\xc2\xa0x\xc2\xa0")), u("\xc2\xa0X\xc2\xa0"));
    EXPECT_EQ(ArticleSearch::namePattern(u(" \t ")), QString());
}

TEST(SearchHelpers, MessagesAreTheSystemTexts)
{
    EXPECT_EQ(ArticleSearch::messageFor(Outcome::NoText), u("Унесите податак за претраживање!!!"));
    EXPECT_EQ(ArticleSearch::messageFor(Outcome::Found), u("Пронађен артикал"));
    EXPECT_EQ(ArticleSearch::messageFor(Outcome::NotFound), u("Артикал није пронађен"));
}

TEST_F(SearchTable, LastRowIsSearchedToo)
{
    name(3999, "ZADNJI");
    barcode(3999, "999");
    EXPECT_EQ(ArticleSearch::search(model, QStringLiteral("zadnji"), Mode::Name).row, 3999);
    EXPECT_EQ(ArticleSearch::search(model, QStringLiteral("999"), Mode::Barcode).row, 3999);
}

TEST_F(SearchTable, SearchChangesNoCell)
{
    ArticleTableModel untouched;
    for (int r = 0; r < 50; ++r)
        untouched.setRow(r, model.row(r));
    ArticleSearch::search(model, QStringLiteral("kafa"), Mode::Name);
    ArticleSearch::search(model, QStringLiteral("123"), Mode::Barcode);
    for (int r = 0; r < 50; ++r)
        EXPECT_EQ(model.row(r), untouched.row(r)) << r;
}

} // namespace
