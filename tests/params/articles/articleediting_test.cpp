#include "core/programerror.h"
#include "params/articles/articleedits.h"
#include "params/articles/articlefamily.h"
#include "params/common/cellnumber.h"
#include "support/familylink.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// A number text with the separator under test in place of every ','.
QString sep(const char *text, QChar decimal) { return u(text).replace(QLatin1Char(','), decimal); }

class UnderBothSeparators : public ::testing::TestWithParam<QChar> {
protected:
    QChar d() const { return GetParam(); }
    Regional regional() const { return Regional::withDecimal(GetParam()); }
    QString s(const char *text) const { return sep(text, d()); }

    ArticleEdits edits(const char *price, const char *quantity) const
    {
        ArticleEdits e;
        e.name = u("Јогурт");
        e.barcode = u("8600123456789");
        e.department = u("3");
        e.price = s(price);
        e.tax = u("Ђ");
        e.quantity = s(quantity);
        e.group = u("12");
        return e;
    }
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, UnderBothSeparators, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(UnderBothSeparators, StoredTextOfACorrectedNumber)
{
    struct Case {
        const char *typed;
        const char *stored;
    } cases[] = {
        {"12.50", "12,5"}, {"007", "7"},      {",5", "0,5"},   {",50", "0,50"}, {"2,75", "2,75"},
        {"12,345", "12,345"}, {"100", "100"}, {" 3", "3"},     {"+4", "4"},     {"1e2", "100"},
        {"0,10", "0,1"},   {"999999999", "999999999"},         {"0", "0"},
    };
    for (const Case &c : cases) {
        // ',' in a case stands for the regional separator; a point typed
        // under a comma setting is still the decimal mark (12.50).
        EXPECT_EQ(CellNumber::storedText(s(c.typed), regional()), s(c.stored)) << c.typed;
    }
}

TEST(PlainForm, FifteenSignificantDigitsNoBinaryFractions)
{
    const QChar point('.');
    EXPECT_EQ(CellNumber::plainForm(u("0.1"), point, point), u("0.1"));
    EXPECT_EQ(CellNumber::plainForm(u("123456789.123456789"), point, point), u("123456789.123457"));
    EXPECT_EQ(CellNumber::plainForm(u("-2.50"), point, QChar(',')), u("-2,5"));
    EXPECT_EQ(CellNumber::plainForm(u("12345678901234567890"), point, point), u("12345678901234567890"))
        << "whole digits are never dropped";
}

TEST(PriceLimit, HundredthsAboveTheLimitAreOver)
{
    const QChar point('.');
    EXPECT_FALSE(CellNumber::priceOverLimit(u("999999999"), point));
    EXPECT_FALSE(CellNumber::priceOverLimit(u("999999999.99"), point));
    EXPECT_TRUE(CellNumber::priceOverLimit(u("999999999.991"), point)) << "over by a fraction of a hundredth";
    EXPECT_TRUE(CellNumber::priceOverLimit(u("1000000000"), point));
    EXPECT_TRUE(CellNumber::priceOverLimit(u("1e30"), point));
}

TEST(TrimControls, BlanksAndControlCharacters)
{
    EXPECT_EQ(CellNumber::trimControls(u("\x01  ab c\t\r\n ")), u("ab c"));
    EXPECT_EQ(CellNumber::trimControls(u("   ")), QString());
}

TEST_P(UnderBothSeparators, CorrectionAcceptsAndStores)
{
    struct Case {
        const char *price;
        const char *quantity;
        const char *storedPrice;
        const char *storedQuantity;
    } cases[] = {
        {"12.5", "2,75", "12,5", "2,75"},   {"007", "0", "7", "0"},
        {",5", ",125", "0,5", "0,125"},     {"999999999", "1", "999999999", "1"},
        {"0,01", "1,23456", "0,01", "1,23456"}, {"  12", "5", "12", "5"},
    };
    for (const Case &c : cases) {
        ArticleRow row;
        row.sold = u("17");
        row.turnover = u("99");
        ASSERT_EQ(ArticleEditing::correct(edits(c.price, c.quantity), regional(), &row), ArticleEditing::Outcome::Accepted) << c.price;
        EXPECT_EQ(row.price, s(c.storedPrice)) << c.price;
        EXPECT_EQ(row.quantity, s(c.storedQuantity)) << c.quantity;
        EXPECT_EQ(row.name, u("Јогурт"));
        EXPECT_EQ(row.barcode, u("8600123456789"));
        EXPECT_EQ(row.department, u("3"));
        EXPECT_EQ(row.tax, u("Ђ"));
        EXPECT_EQ(row.group, u("12"));
        EXPECT_EQ(row.sold, u("17")) << "sold and turnover are not touched";
        EXPECT_EQ(row.turnover, u("99"));
    }
}

TEST_P(UnderBothSeparators, CorrectionDataErrorsLeaveTheRow)
{
    struct Case {
        const char *price;
        const char *quantity;
        const char *why;
    } cases[] = {
        {"0,005", "1", "three decimals"},
        {"1000000000", "1", "over the limit"},
        {"-1", "1", "negative price"},
        {"-0", "1", "minus sign in the price"},
        {"1", "-1", "minus sign in the quantity"},
        {"", "1", "empty price"},
        {"1", "", "empty quantity"},
        {"abc", "1", "price without the separator that does not convert"},
        {"1", "x", "quantity without the separator that does not convert"},
        {"12,345", "1", "three characters after the separator"},
        {"1,5  ", "1", "blanks count as characters after the separator"},
    };
    for (const Case &c : cases) {
        ArticleRow row;
        const ArticleRow before = row;
        EXPECT_EQ(ArticleEditing::correct(edits(c.price, c.quantity), regional(), &row),
                  ArticleEditing::Outcome::DataError)
            << c.why;
        EXPECT_EQ(row, before) << c.why;
    }
}

TEST_P(UnderBothSeparators, CorrectionConversionErrorsThrowTheSystemText)
{
    struct Case {
        const char *price;
        const char *quantity;
        const char *offending;
    } cases[] = {{",", "1", ","}, {"1,2,3", "1", "1,2,3"}, {"1", "2,x", "2,x"}, {"x,1", "-", "x,1"}};
    for (const Case &c : cases) {
        ArticleRow row;
        try {
            ArticleEditing::correct(edits(c.price, c.quantity), regional(), &row);
            ADD_FAILURE() << "no conversion error for " << c.price << " / " << c.quantity;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(s(c.offending)));
        }
        EXPECT_EQ(row, ArticleRow());
    }
}

TEST(ArticleSelection, ListsFollowTheRow)
{
    struct Case {
        const char *department;
        const char *tax;
        const char *group;
        int standPosition;
        int taxPosition;
        int groupPosition;
    } cases[] = {
        {"1", "А", "0", 0, 0, 0},   {"8", "Ђ", "12", 7, 3, 12}, {"3", "", "5", 2, 2, 5},
        {"9", "J", "13", -1, 7, -1}, {"0", "ЖЖ", "15", -1, 2, -1}, {" 2", "x", "-1", 1, 2, -1},
    };
    for (const Case &c : cases) {
        ArticleRow row;
        row.name = u("Кафа");
        row.barcode = u("123");
        row.price = u("abc"); // text fields are taken unchanged
        row.quantity = u("-2");
        row.department = u(c.department);
        row.tax = u(c.tax);
        row.group = u(c.group);
        ArticleEditFill fill;
        ArticleEditing::selectionFill(row, &fill);
        EXPECT_EQ(fill.name.value_or(QString()), u("Кафа"));
        EXPECT_EQ(fill.barcode.value_or(QString()), u("123"));
        EXPECT_EQ(fill.price.value_or(QString()), u("abc"));
        EXPECT_EQ(fill.quantity.value_or(QString()), u("-2"));
        EXPECT_EQ(fill.department.value_or(-99), c.standPosition) << c.department;
        EXPECT_EQ(fill.tax.value_or(-99), c.taxPosition) << c.tax;
        EXPECT_EQ(fill.group.value_or(-99), c.groupPosition) << c.group;
    }
}

TEST(ArticleSelection, NotAWholeNumberFillsTextsAndLeavesTheLists)
{
    for (auto [department, group, offending] : {std::tuple{"x", "0", "x"}, std::tuple{"1", "1,5", "1,5"},
                                                std::tuple{"", "0", ""}}) {
        ArticleRow row;
        row.name = u("Со");
        row.department = u(department);
        row.group = u(group);
        ArticleEditFill fill;
        try {
            ArticleEditing::selectionFill(row, &fill);
            ADD_FAILURE() << "no conversion error";
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid integer value").arg(u(offending)));
        }
        EXPECT_EQ(fill.name.value_or(QString()), u("Со"));
        EXPECT_FALSE(fill.department.has_value());
        EXPECT_FALSE(fill.tax.has_value());
        EXPECT_FALSE(fill.group.has_value());
    }
}

// The family on a driver with a fake port: the signals carry the results.
class ArticleFamilyTest : public ::testing::Test, protected FamilyLink {
protected:
    ArticleFamily family{ctx};
};

TEST_F(ArticleFamilyTest, ConversionErrorGoesToTheGeneralErrorReport)
{
    QSignalSpy errors(&family, &ParameterFamily::programError);
    QSignalSpy messages(&family, &ParameterFamily::message);
    ArticleEdits e{u("Име"), u("1"), u("2"), u("1,2,3"), u("Г"), u("1"), u("3")};
    EXPECT_FALSE(family.btnACorClick(e));
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), u("'1,2,3' is not a valid floating point value"));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ArticleFamilyTest, SelectionOfABadRowReportsAndFillsTheTexts)
{
    family.model().setCell(9, ArticleTableModel::Department, u("a"));
    family.model().setCell(9, ArticleTableModel::Name, u("Со"));
    QSignalSpy fills(&family, &ArticleFamily::editsFilled);
    QSignalSpy errors(&family, &ParameterFamily::programError);
    family.sgArticlesClick(9);
    ASSERT_EQ(fills.count(), 1);
    const auto fill = fills.at(0).at(0).value<ArticleEditFill>();
    EXPECT_EQ(fill.name.value_or(QString()), u("Со"));
    EXPECT_FALSE(fill.department.has_value());
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), u("'a' is not a valid integer value"));
    EXPECT_EQ(family.currentRow(), 9);
}
