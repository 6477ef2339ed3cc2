#include "params/articles/articletablemodel.h"
#include "report/articlelistreport.h"
#include "report/articlereporttable.h"
#include "report/reportwindow.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

ArticleRow named(const QString &name, const QString &price = QStringLiteral("0"))
{
    ArticleRow row;
    row.name = name;
    row.price = price;
    return row;
}

// Pages of a PDF file: its page objects ("/Type /Page", not "/Pages").
int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// Dark pixels in a rectangle of a page image given in millimetres of paper.
int inkIn(const QImage &image, double leftMm, double topMm, double widthMm, double heightMm, int dpi)
{
    const double d = dpi / 25.4;
    int ink = 0;
    for (int y = int(topMm * d); y < int((topMm + heightMm) * d) && y < image.height(); ++y)
        for (int x = int(leftMm * d); x < int((leftMm + widthMm) * d) && x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

class ReportTableTest : public ::testing::TestWithParam<QChar> {
protected:
    ArticleTableModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    ArticleReportTable table;
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
};

TEST_P(ReportTableTest, FreshTableListsNothing)
{
    table.append(ArticleReportRecord{QStringLiteral("1"), QStringLiteral("old"), {}, {}, {}});
    table.fill(model);
    EXPECT_EQ(table.size(), 0);
}

TEST_P(ReportTableTest, NamedRowsInArticleNumberOrder)
{
    ArticleRow kafa = named(QStringLiteral("KAFA 200g"), s("189,9"));
    kafa.barcode = QStringLiteral("08600123456789");
    kafa.tax = u("Ђ");
    model.setRow(41, kafa);
    model.setRow(3, named(u("МЛЕКО"), s("1234567,89")));
    model.setRow(7, named(QStringLiteral("   ")));
    model.setRow(3999, named(QString(36, QLatin1Char('W'))));
    table.fill(model);
    ASSERT_EQ(table.size(), 4);
    const auto &r = table.records();
    EXPECT_EQ(r[0], (ArticleReportRecord{QStringLiteral("4"), u("МЛЕКО"), QStringLiteral("00000000000000"),
                                         s("1234567,8"), u("А")}));
    EXPECT_EQ(r[1].sifra, QStringLiteral("8"));
    EXPECT_EQ(r[1].naziv, QStringLiteral("   ")) << "a name of blanks is not empty";
    EXPECT_EQ(r[2], (ArticleReportRecord{QStringLiteral("42"), QStringLiteral("KAFA 200g"),
                                         QStringLiteral("08600123456789"), s("189,9"), u("Ђ")}));
    EXPECT_EQ(r[3].sifra, QStringLiteral("4000"));
    EXPECT_EQ(r[3].naziv, QString(36, QLatin1Char('W'))) << "36 characters are kept whole";
}

struct CutCase {
    const char *field;
    ArticleReportRecord in;
    ArticleReportRecord out;
};

class FieldCuts : public ::testing::TestWithParam<CutCase> {};

TEST_P(FieldCuts, LongerValuesAreCutToTheFieldWidth)
{
    ArticleReportTable table;
    table.append(GetParam().in);
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.records()[0], GetParam().out) << GetParam().field;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FieldCuts,
    ::testing::Values(
        CutCase{"sifra", {QStringLiteral("12345"), {}, {}, {}, {}}, {QStringLiteral("1234"), {}, {}, {}, {}}},
        CutCase{"naziv",
                {{}, QString(40, QLatin1Char('n')), {}, {}, {}},
                {{}, QString(36, QLatin1Char('n')), {}, {}, {}}},
        CutCase{"barkod",
                {{}, {}, QStringLiteral("123456789012345"), {}, {}},
                {{}, {}, QStringLiteral("12345678901234"), {}, {}}},
        CutCase{"cena point", {{}, {}, {}, QStringLiteral("1234567.89"), {}}, {{}, {}, {}, QStringLiteral("1234567.8"), {}}},
        CutCase{"cena comma", {{}, {}, {}, QStringLiteral("1234567,89"), {}}, {{}, {}, {}, QStringLiteral("1234567,8"), {}}},
        CutCase{"cena of nine", {{}, {}, {}, QStringLiteral("123456.78"), {}}, {{}, {}, {}, QStringLiteral("123456.78"), {}}},
        CutCase{"stopa", {{}, {}, {}, {}, QStringLiteral("AB")}, {{}, {}, {}, {}, QStringLiteral("A")}}));

struct PagingCase {
    int records;
    int pages;
    int lastFirst;
    int lastCount;
};

class Paging : public ::testing::TestWithParam<PagingCase> {};

// US Letter less 2 x 10 mm: 259.4 mm. First page: title 9.3, header 8.5,
// footer 10.6 leave 231.0 mm = 55 details of 4.2 mm; later pages 57.
TEST_P(Paging, BandsFillThePagesInOrder)
{
    ArticleReportTable table;
    for (int i = 0; i < GetParam().records; ++i)
        table.append(ArticleReportRecord{QString::number(i + 1), QStringLiteral("x"), {}, {}, {}});
    const ArticleListReport report(table);
    ASSERT_EQ(report.pageCount(), GetParam().pages);
    const ArticleListReport::Slice last = report.slice(GetParam().pages - 1);
    EXPECT_EQ(last.first, GetParam().lastFirst);
    EXPECT_EQ(last.count, GetParam().lastCount);
    int total = 0;
    for (int p = 0; p < report.pageCount(); ++p) {
        EXPECT_EQ(report.slice(p).first, total);
        total += report.slice(p).count;
    }
    EXPECT_EQ(total, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Table, Paging,
                         ::testing::Values(PagingCase{0, 1, 0, 0}, PagingCase{1, 1, 0, 1}, PagingCase{55, 1, 0, 55},
                                           PagingCase{56, 2, 55, 1}, PagingCase{112, 2, 55, 57},
                                           PagingCase{113, 3, 112, 1}, PagingCase{4000, 71, 3988, 12}));

TEST(Paging, TinyPaperStillEnds)
{
    ArticleReportTable table;
    for (int i = 0; i < 5; ++i)
        table.append(ArticleReportRecord{QString::number(i + 1), {}, {}, {}, {}});
    const ArticleListReport report(table);
    EXPECT_EQ(report.pageCount(100), 5);
    EXPECT_EQ(report.slice(4, 100).count, 1);
}

class ReportOutput : public ReportTableTest {
protected:
    QTemporaryDir dir;
    void fillNamed(int count)
    {
        for (int r = 0; r < count; ++r)
            model.setRow(r, named(u("АРТИКАЛ %1 kafa").arg(r + 1), s("%1,50").arg(r)));
        table.fill(model);
    }
    QString outputPath(const char *name) const
    {
        // Kept next to the test for a look at the layout.
        return QDir::current().absoluteFilePath(QString::fromLatin1(name));
    }
};

TEST_P(ReportOutput, PdfOfAFilledTableHasItsPages)
{
    fillNamed(120);
    const ArticleListReport report(table);
    const QString path = dir.filePath(QStringLiteral("artikli.pdf"));
    QString error;
    ASSERT_TRUE(report.renderToPdf(path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_GT(file.size(), 1000);
    EXPECT_EQ(pdfPages(path), 3);
}

TEST_P(ReportOutput, EmptyTableGivesOnePage)
{
    table.fill(model);
    const ArticleListReport report(table);
    const QString path = dir.filePath(QStringLiteral("empty.pdf"));
    ASSERT_TRUE(report.renderToPdf(path));
    EXPECT_EQ(pdfPages(path), 1);
    const QImage page = report.pageImage(0, 100);
    EXPECT_GT(inkIn(page, 10 + 86.8, 10, 30, 9.3, 100), 0) << "title";
    EXPECT_GT(inkIn(page, 10, 10 + 9.3, 190, 8.5, 100), 0) << "column headers";
    EXPECT_EQ(inkIn(page, 0, 10 + 17.8, 215.9, 250, 100), 0) << "no detail bands";
}

TEST_P(ReportOutput, PageImagesPlaceTheBands)
{
    fillNamed(60);
    model.setCell(0, ArticleTableModel::Name, QString(36, QLatin1Char('W')));
    table.fill(model);
    const ArticleListReport report(table);
    const int dpi = 150;
    const QImage first = report.pageImage(0, dpi);
    ASSERT_EQ(first.width(), qRound(215.9 / 25.4 * dpi));
    first.save(outputPath(GetParam() == QLatin1Char(',') ? "report_page1_comma.png" : "report_page1_point.png"));
    // 55 detail rows on the first page, the 56th on the second.
    const double detailTop = 10 + 9.3 + 8.5;
    EXPECT_GT(inkIn(first, 10, detailTop + 54 * 4.2, 195, 4.2, dpi), 0) << "row 55";
    EXPECT_EQ(inkIn(first, 0, detailTop + 55 * 4.2, 215.9, 279.4 - detailTop - 55 * 4.2, dpi), 0)
        << "footer band empty";
    // Nothing left of the number column nor right of the tax label.
    EXPECT_EQ(inkIn(first, 0, detailTop, 10 + 0.5, 231, dpi), 0);
    EXPECT_EQ(inkIn(first, 10 + 165, detailTop, 40, 231, dpi), 0);
    // The 36-character name stays clear of the barcode after it.
    // Fourteen Arial digits of 10 points: 14 x 0.556 em of 3.528 mm.
    const double barcodeLeft = 10 + 131.2 - 14 * 0.556 * 3.528;
    EXPECT_EQ(inkIn(first, barcodeLeft - 0.8, detailTop + 0.3, 0.6, 3.6, dpi), 0);
    EXPECT_GT(inkIn(first, barcodeLeft - 8, detailTop + 0.3, 6, 3.6, dpi), 0) << "the name reaches close";

    const QImage second = report.pageImage(1, dpi);
    second.save(outputPath("report_page2.png"));
    EXPECT_EQ(inkIn(second, 10 + 80, 10, 40, 8, dpi) > 0, true) << "headers repeat";
    EXPECT_GT(inkIn(second, 10, 10 + 8.5, 195, 4.2 * 5, dpi), 0) << "rows 56 to 60";
    EXPECT_EQ(inkIn(second, 0, 10 + 8.5 + 5 * 4.2, 215.9, 200, dpi), 0);
}

TEST_P(ReportOutput, UnwritablePathIsReported)
{
    fillNamed(3);
    const ArticleListReport report(table);
    QString error;
    EXPECT_FALSE(report.renderToPdf(dir.filePath(QStringLiteral("no/such/dir/x.pdf")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_P(ReportOutput, WindowFillsTheTableAndShowsThePreview)
{
    ReportWindow window(model);
    EXPECT_EQ(window.objectName(), QStringLiteral("izvestajForm"));
    EXPECT_EQ(window.windowClass(), QStringLiteral("TizvestajForm"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Izvestaj Artikli"));
    EXPECT_FALSE(window.isVisible());
    model.setRow(9, named(QStringLiteral("KAFA"), s("99,9")));
    int paints = 0;
    QPageLayout layout;
    window.setPreviewHook([&](QPrintPreviewDialog &preview) {
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&](QPrinter *printer) {
            ++paints;
            layout = printer->pageLayout();
        });
        QMetaObject::invokeMethod(&preview, &QDialog::reject, Qt::QueuedConnection);
    });
    window.BitBtn1Click();
    ASSERT_EQ(window.table().size(), 1);
    EXPECT_EQ(window.table().records()[0].cena, s("99,9"));
    EXPECT_GE(paints, 1);
    EXPECT_EQ(layout.pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    EXPECT_FALSE(window.isVisible());
    // A second report starts from an emptied table.
    model.setCell(9, ArticleTableModel::Name, QString());
    window.BitBtn1Click();
    EXPECT_EQ(window.table().size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Separators, ReportTableTest, ::testing::Values(QChar(','), QChar('.')));
INSTANTIATE_TEST_SUITE_P(Separators, ReportOutput, ::testing::Values(QChar(','), QChar('.')));

} // namespace
