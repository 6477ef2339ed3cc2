#include "params/articles/articletablemodel.h"
#include "terminal/terminalimport.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }
QByteArray article(const char *fixedHex, const QByteArray &name) { return hex(fixedHex) + name + '\x1b'; }
QByteArray sale(const char *bytesHex) { return hex(bytesHex) + '\x1b'; }

// The merge alone, without the terminal window: no widget is built.
class TerminalImportTest : public ::testing::TestWithParam<Regional> {
protected:
    ArticleTableModel model;
    QString s(const char *comma) const { return QString::fromUtf8(comma).replace(u',', GetParam().decimal); }
};

TEST_P(TerminalImportTest, ArticlesTakeNameBarcodeTaxAndPriceAndCountWhatTheyCannotPlace)
{
    ArticleRow kept = model.row(0);
    kept.sold = QStringLiteral("7");
    model.setRow(0, kept);
    const QByteArray file = "<D>" + article("00 00 12 3F FF FF FF FF FF 02 E2 04 00 00", "Bread")
        + article("0F A0 FF FF FF FF FF FF FF 00 00 00 00 00", "Beyond") // index 4000
        + article("00 01 FF FF FF FF FF FF FF 09 00 00 00 00", "Tax9")   // no tax label 9
        + hex("01 02 1B") + "</D>"; // a fragment too short to be a record
    const TerminalImport::Result result = TerminalImport::mergeArticles(model, file, GetParam());
    EXPECT_EQ(model.row(0).name, QStringLiteral("Bread"));
    EXPECT_EQ(model.row(0).barcode, QStringLiteral("123"));
    EXPECT_EQ(model.row(0).price, s("12,5"));
    EXPECT_EQ(model.row(0).sold, QStringLiteral("7"));
    EXPECT_NE(model.row(1).name, QStringLiteral("Tax9"));
    // The two records that name nothing; the fragment is passed over.
    EXPECT_EQ(result.skipped, 2);
    EXPECT_FALSE(result.barcodeMismatch);
}

TEST_P(TerminalImportTest, SalesStopAtTheFirstBarcodeThatDiffersFromItsRow)
{
    ArticleRow first = model.row(0);
    first.barcode = QString();
    model.setRow(0, first);
    // Row 2 holds the start-up barcode of fourteen zeros.
    const QByteArray file = "<D>" + sale("00 00 12 3F FF FF FF FF FF 05 00 00 00 01 00 00 00 00")
        + sale("00 01 98 7F FF FF FF FF FF 06 00 00 00 02 00 00 00 00")
        + sale("00 02 FF FF FF FF FF FF FF 07 00 00 00 03 00 00 00 00") + "</D>";
    const TerminalImport::Result result = TerminalImport::mergeSales(model, file, GetParam());
    EXPECT_TRUE(result.barcodeMismatch);
    EXPECT_EQ(model.row(0).barcode, QStringLiteral("123"));
    EXPECT_EQ(model.row(0).sold, s("0,005"));
    EXPECT_EQ(model.row(1).sold, QStringLiteral("0"));
    EXPECT_EQ(model.row(2).sold, QStringLiteral("0"));
}

TEST_P(TerminalImportTest, SalesOutsideTheTableAreCountedAndTheRestTaken)
{
    const QByteArray file = "<D>" + sale("0F A0 FF FF FF FF FF FF FF 01 00 00 00 00 00 00 00 00")
        + sale("00 03 FF FF FF FF FF FF FF 03 00 00 00 00 00 00 00 00") + "</D>";
    const TerminalImport::Result result = TerminalImport::mergeSales(model, file, GetParam());
    EXPECT_EQ(result.skipped, 1);
    EXPECT_FALSE(result.barcodeMismatch);
    EXPECT_EQ(model.row(3).sold, s("0,003"));
}

INSTANTIATE_TEST_SUITE_P(Separators, TerminalImportTest, ::testing::Values(Regional::comma(), Regional::point()));

} // namespace
