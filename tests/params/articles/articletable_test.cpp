#include "params/articles/articletablemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QString u(const char *text) { return QString::fromUtf8(text); }
} // namespace

TEST(ArticleTable, PassesTheModelTester)
{
    ArticleTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setCell(10, ArticleTableModel::Name, u("Хлеб"));
    ArticleRow row;
    row.name = u("Млеко");
    model.setRow(3999, row);
    model.setData(model.index(5, ArticleTableModel::Tax), u("5"));
    model.resetToDefaults();
    EXPECT_EQ(model.cell(10, ArticleTableModel::Name), QString());
}

TEST(ArticleTable, StartsWithTheInitialTexts)
{
    ArticleTableModel model;
    ASSERT_EQ(model.rowCount(), 4000);
    ASSERT_EQ(model.columnCount(), 10);
    const char *headers[] = {"Број", "Назив", "Бар-код", "Одељење", "Цена", "Порез", "Количина", "Група", "Продато",
                             "Промет"};
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), u(headers[c]));
    const char *initial[] = {nullptr, "", "00000000000000", "1", "0", "А", "0", "0", "0", "0"};
    for (int r : {0, 1, 1999, 3999}) {
        EXPECT_EQ(model.data(model.index(r, 0)).toString(), QString::number(r + 1));
        for (int c = 1; c < 10; ++c)
            EXPECT_EQ(model.data(model.index(r, c)).toString(), u(initial[c])) << r << "," << c;
    }
}

TEST(ArticleTable, NumberColumnIsFixedTheOthersEditable)
{
    ArticleTableModel model;
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 0), u("7")));
    EXPECT_EQ(model.cell(0, 0), u("1"));
    for (int c = 1; c < 10; ++c)
        EXPECT_TRUE(model.flags(model.index(0, c)) & Qt::ItemIsEditable) << c;
}

TEST(ArticleTable, TypedNameIsHeldTo36Characters)
{
    ArticleTableModel model;
    const QString forty = QString(40, QChar(0x0416));
    model.setData(model.index(0, ArticleTableModel::Name), forty);
    EXPECT_EQ(model.cell(0, ArticleTableModel::Name), QString(36, QChar(0x0416)));
    // Texts put in by the program (file load, terminal import) are kept whole.
    model.setCell(1, ArticleTableModel::Name, forty);
    EXPECT_EQ(model.cell(1, ArticleTableModel::Name), forty);
}

TEST(ArticleTable, OneRowChangedGivesOneNotificationForThatRow)
{
    ArticleTableModel model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    ArticleRow row;
    row.name = u("Сок");
    row.price = u("12,5");
    model.setRow(1234, row);
    ASSERT_EQ(changed.count(), 1);
    const QModelIndex from = changed.at(0).at(0).toModelIndex();
    const QModelIndex to = changed.at(0).at(1).toModelIndex();
    EXPECT_EQ(from.row(), 1234);
    EXPECT_EQ(to.row(), 1234);
    EXPECT_EQ(from.column(), 1);
    EXPECT_EQ(to.column(), 9);
    model.setRow(1234, row); // unchanged: no notification
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(reset.count(), 0);
}

TEST(ArticleTable, OutsideTheTableReadsEmptyAndIgnoresWrites)
{
    ArticleTableModel model;
    model.setCell(4000, 1, u("x"));
    model.setCell(-1, 1, u("x"));
    model.setCell(0, 10, u("x"));
    EXPECT_EQ(model.cell(4000, 1), QString());
    EXPECT_EQ(model.cell(0, 10), QString());
    EXPECT_EQ(model.cell(0, 1), QString());
}

// Typing in the tax column: the first typed character decides the cell.
TEST(TaxColumn, NormalisationTable)
{
    struct Case {
        const char *typed;
        const char *cell;
    } cases[] = {
        {"0", "А"}, {"1", "Г"}, {"2", "Д"}, {"3", "Ђ"}, {"4", "Е"}, {"5", "Ж"},
        {"6", "И"}, {"7", "J"}, {"8", "К"}, {"9", ""},
        {"а", "А"}, {"г", "Г"}, {"д", "Д"}, {"е", "Е"}, {"ж", "Ж"}, {"и", "И"}, {"к", "К"},
        {"ђ", "Ђ"}, {"ј", "J"}, {"Ј", "J"},
        {"А", "А"}, {"Г", "Г"}, {"Д", "Д"}, {"Ђ", "Ђ"}, {"Е", "Е"}, {"Ж", "Ж"}, {"И", "И"}, {"К", "К"},
        {"", ""}, {"J", ""}, {"j", ""}, {"Z", ""}, {"б", ""}, {"Б", ""}, {" ", ""}, {"A", "" /* Latin A */},
        {"Жх", "Ж"}, {"5x", "Ж"}, {"xЖ", ""}, {"јЖ", "J"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ArticleTax::normalise(u(c.typed)), u(c.cell)) << c.typed;
    }
}

TEST(TaxColumn, TypingInPlaceNormalises)
{
    ArticleTableModel model;
    const QModelIndex tax = model.index(7, ArticleTableModel::Tax);
    struct Case {
        const char *typed;
        const char *cell;
    } cases[] = {{"5", "Ж"}, {"г", "Г"}, {"Жх", "Ж"}, {"9", ""}, {"Z", ""}, {"ј", "J"}};
    for (const Case &c : cases) {
        model.setData(tax, u(c.typed));
        EXPECT_EQ(model.cell(7, ArticleTableModel::Tax), u(c.cell)) << c.typed;
    }
    EXPECT_EQ(model.cell(7, ArticleTableModel::Tax).at(0).unicode(), 'J') << "the Latin J is stored";
}
