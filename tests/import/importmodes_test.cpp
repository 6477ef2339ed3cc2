// The three ways rows go in, over the openpyxl price list (file rows 3..11;
// articles 1, 2, 3 and 8 valid), and a department table that fills up.
#include "import/importrig.h"

#include "params/departments/departmenttablemodel.h"

namespace {

ArticleRow named(const QString &name, const QString &barcode = QStringLiteral("00000000000000"))
{
    ArticleRow row;
    row.name = name;
    row.barcode = barcode;
    row.sold = QStringLiteral("7");
    return row;
}

Workbook priceList() { return BookReader::readFile(fixturePath(QStringLiteral("openpyxl.xlsx"))); }

TEST(ImportModes, ReplaceStartsAtRowOneAndClearsTheRest)
{
    ArticleTableModel model;
    for (int r = 0; r < 10; ++r)
        model.setRow(r, named(QStringLiteral("Стари %1").arg(r + 1)));
    const ImportPlan plan = planInto(priceList(), model, ImportMode::Replace);
    ImportApply::apply(model, plan);
    EXPECT_EQ(model.cell(0, ArticleTableModel::Name), QStringLiteral("Хлеб бели 500 г"));
    EXPECT_EQ(model.cell(0, ArticleTableModel::Sold), QStringLiteral("0")); // the whole row comes from the file
    EXPECT_EQ(model.cell(3, ArticleTableModel::Name), QStringLiteral("Вода"));
    for (int r = 4; r < 10; ++r)
        EXPECT_EQ(model.row(r), ArticleRow()) << r;
    EXPECT_EQ(plan.summary.updated, 4);
    EXPECT_EQ(plan.summary.cleared, 6);
}

TEST(ImportModes, ByNumberUpdatesOnlyTheNamedRowsAndKeepsUnmappedFields)
{
    ArticleTableModel model;
    model.setRow(7, named(QStringLiteral("Вода стара")));
    model.setRow(20, named(QStringLiteral("Нетакнут")));
    const ImportPlan plan = planInto(priceList(), model, ImportMode::ByNumber);
    ImportApply::apply(model, plan);
    EXPECT_EQ(model.cell(7, ArticleTableModel::Name), QStringLiteral("Вода"));
    EXPECT_EQ(model.cell(7, ArticleTableModel::Sold), QStringLiteral("7"));
    EXPECT_EQ(model.cell(2, ArticleTableModel::Group), QStringLiteral("12"));
    EXPECT_EQ(model.cell(3, ArticleTableModel::Name), QString()); // article 4 was refused
    EXPECT_EQ(model.cell(20, ArticleTableModel::Name), QStringLiteral("Нетакнут"));
    EXPECT_EQ(plan.summary.added, 3);
    EXPECT_EQ(plan.summary.updated, 1);
    EXPECT_EQ(plan.changedRows, (QList<int>{0, 1, 2, 7}));
}

TEST(ImportModes, ByBarcodeUpdatesKnownCodesAndPutsNewOnesInEmptyRows)
{
    ArticleTableModel model;
    ArticleRow bread = named(QStringLiteral("Хлеб"), QStringLiteral("8600123456789"));
    bread.price = QStringLiteral("100");
    model.setRow(0, bread);
    model.setRow(1, named(QStringLiteral("Заузет")));
    // The same article twice in the file would take one row; an unchanged row counts as such.
    const ImportPlan first = planInto(priceList(), model, ImportMode::ByBarcode);
    ImportApply::apply(model, first);
    EXPECT_EQ(model.cell(0, ArticleTableModel::Price), QStringLiteral("1234,5"));
    EXPECT_EQ(model.cell(1, ArticleTableModel::Name), QStringLiteral("Заузет"));
    EXPECT_EQ(model.cell(2, ArticleTableModel::Barcode), QStringLiteral("0860012345675"));
    EXPECT_EQ(model.cell(3, ArticleTableModel::Barcode), QStringLiteral("12345670"));
    EXPECT_EQ(first.summary.updated, 1);
    EXPECT_EQ(first.summary.added, 2);
    EXPECT_EQ(first.summary.refused, 5); // the four bad rows and the water without a barcode

    const ImportPlan again = planInto(priceList(), model, ImportMode::ByBarcode);
    EXPECT_EQ(again.summary.unchanged, 3);
    EXPECT_TRUE(again.changedRows.isEmpty());
}

TEST(ImportModes, RowsBeyondAFullTableAreLeftOut)
{
    Sheet sheet;
    sheet.rows << SheetRow{{QStringLiteral("Назив"), false}, {QStringLiteral("Цена"), false}};
    for (int i = 1; i <= 10; ++i)
        sheet.rows << SheetRow{{QStringLiteral("Одељење %1").arg(i), false}, {QString::number(i), true}};
    DepartmentTableModel model(Regional::comma());
    ImportRequest request = ImportApply::requestFor(model, Regional::comma());
    const MappingGuess::Guess guess = MappingGuess::guess(sheet, ImportTarget::departments());
    request.mapping = guess.mapping;
    request.headingRow = guess.headingRow;
    const ImportPlan plan = ImportPlanner::plan(sheet, request);
    ImportApply::apply(model, plan);
    EXPECT_EQ(plan.summary.leftOut, 2);
    EXPECT_EQ(model.cell(7, DepartmentTableModel::Price), QStringLiteral("8"));
    EXPECT_EQ(model.cell(7, DepartmentTableModel::Tax), QStringLiteral("А"));
}

TEST(ImportModes, AnImportIsOneUndoStep)
{
    ArticleTableModel model;
    model.setRow(5, named(QStringLiteral("Стари")));
    const QList<QStringList> before = ImportApply::rowsOf(model);
    ImportApply::apply(model, planInto(priceList(), model, ImportMode::Replace));
    const QList<QStringList> imported = ImportApply::rowsOf(model);
    ASSERT_NE(imported, before);
    EXPECT_EQ(model.history().undoCount(), 1);
    EXPECT_EQ(model.history().undoName(), QStringLiteral("увоз артикала"));
    ASSERT_TRUE(model.history().undo());
    EXPECT_EQ(ImportApply::rowsOf(model), before);
    ASSERT_TRUE(model.history().redo());
    EXPECT_EQ(ImportApply::rowsOf(model), imported);
}

} // namespace
