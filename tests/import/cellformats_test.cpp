// Dates, per cent values, repeated and covered cells as the readers give
// them, in a small ODS and XLSX made here.
#include "import/importrig.h"
#include "import/zipfixture.h"

#include "import/cellformats.h"

namespace {

TEST(CellFormats, DatesAndPerCentAsAPersonReadsThem)
{
    EXPECT_EQ(CellFormats::serialDateText(QStringLiteral("45292"), false), QStringLiteral("01.01.2024"));
    EXPECT_EQ(CellFormats::serialDateText(QStringLiteral("45292.75"), false), QStringLiteral("01.01.2024"));
    EXPECT_EQ(CellFormats::percentText(QStringLiteral("0.2")), QStringLiteral("20%"));
    EXPECT_EQ(CellFormats::percentText(QStringLiteral("0.105")), QStringLiteral("10.5%"));
    EXPECT_TRUE(CellFormats::isDateFormat(QStringLiteral("dd.mm.yyyy")));
    EXPECT_FALSE(CellFormats::isDateFormat(QStringLiteral("#,##0.00 \"din\"")));
    EXPECT_FALSE(CellFormats::isDateFormat(QStringLiteral("[Red]0.00")));
}

TEST(OdsCells, RepeatedCoveredDatedAndPerCent)
{
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table table:name=\"L\"><table:table-row table:number-rows-repeated=\"2\">"
        "<table:table-cell table:number-columns-spanned=\"2\" office:value-type=\"string\"><text:p>a<text:s "
        "text:c=\"2\"/>b</text:p></table:table-cell><table:covered-table-cell/>"
        "<table:table-cell table:number-columns-repeated=\"2\" office:value-type=\"percentage\" office:value=\"0.2\"/>"
        "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-03-05\"><text:p>5.3.</text:p>"
        "</table:table-cell><table:table-cell table:number-columns-repeated=\"1000\"/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell/></table:table-row>"
        "</table:table></office:spreadsheet></office:body></office:document-content>";
    const Workbook book = BookReader::read(
        zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}}),
        QStringLiteral("l.ods"));
    ASSERT_TRUE(book.ok()) << book.error.toStdString();
    const Sheet &s = book.sheets.at(0);
    ASSERT_EQ(s.rows.size(), 2); // the trailing empty rows are dropped
    for (int r = 0; r < 2; ++r) {
        ASSERT_EQ(s.rows.at(r).size(), 5);
        EXPECT_EQ(s.text(r, 0), QStringLiteral("a  b"));
        EXPECT_EQ(s.text(r, 1), QString());
        EXPECT_EQ(s.text(r, 2), QStringLiteral("20%"));
        EXPECT_EQ(s.text(r, 3), QStringLiteral("20%"));
        EXPECT_EQ(s.text(r, 4), QStringLiteral("05.03.2024"));
    }
}

TEST(XlsxCells, SharedInlineDatedAndPerCent)
{
    const QList<QPair<QString, QByteArray>> members = {
        {"xl/workbook.xml", "<workbook><sheets><sheet name=\"S\" sheetId=\"1\"/></sheets></workbook>"},
        {"xl/sharedStrings.xml", "<sst><si><t>Це</t><rPh><t>x</t></rPh></si><si><r><t>на</t></r><r><t>!</t></r></si></sst>"},
        {"xl/styles.xml", "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yy\"/></numFmts>"
                          "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"9\"/></cellXfs></styleSheet>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet><sheetData><row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c>"
         "<c r=\"E2\" s=\"1\"><v>45292</v></c><c s=\"2\"><v>0.1</v></c><c t=\"inlineStr\"><is><t>i</t></is></c>"
         "<c><v>8600123456789</v></c><c t=\"s\"><v>7</v></c></row></sheetData></worksheet>"},
    };
    const Workbook book = BookReader::read(zipOf(members), QStringLiteral("s.xlsx"));
    ASSERT_TRUE(book.ok()) << book.error.toStdString();
    const Sheet &s = book.sheets.at(0);
    ASSERT_EQ(s.rows.size(), 2);
    EXPECT_TRUE(s.rows.at(0).isEmpty());
    const QStringList expected = {"", "Це", "на!", "", "01.01.2024", "10%", "i", "8600123456789"};
    ASSERT_EQ(s.rows.at(1).size(), expected.size()); // an unknown shared string is an empty cell
    for (int c = 0; c < expected.size(); ++c)
        EXPECT_EQ(s.text(1, c), expected.at(c)) << c;
    EXPECT_TRUE(s.rows.at(1).at(7).number);
    EXPECT_FALSE(s.rows.at(1).at(5).number);
}

} // namespace
