// The article import on large sheets, and the time the window is held.
//
//   import_bench [BENCH_4000_XLSX [BENCH_50000_XLSX]]
//
// 1. The 4000-row XLSX written by openpyxl (tests/fixtures/import): read,
//    mapping guessed and planned, as far as the preview; then applied to an
//    article table shown in a view. Aims: 300 ms and 100 ms.
// 2. A 50 000-row sheet (made here with QuaZip unless a file is given) opened
//    in the import window: the longest time the window's event loop waits
//    between two ticks of a 5 ms timer while the file is read and planned.
//    Aim: never more than 500 ms.
#include "import/importapply.h"
#include "import/importwindow.h"
#include "import/bookreader.h"
#include "import/mappingguess.h"
#include "params/articles/articletablemodel.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <quazip.h>
#include <quazipfile.h>

namespace {

ImportRequest requestFor(const ArticleTableModel &model)
{
    ImportRequest r = ImportApply::requestFor(model, Regional::comma());
    r.rates = ImportTaxRates::fromTexts({QStringLiteral("0,00"), QStringLiteral("10,00"), QStringLiteral("20,00")},
                                        Regional::comma());
    return r;
}

bool writeBigXlsx(const QString &path, int rows)
{
    QString sheet = QStringLiteral("<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                                   "<sheetData><row r=\"1\"><c t=\"inlineStr\"><is><t>Šifra</t></is></c>"
                                   "<c t=\"inlineStr\"><is><t>Naziv</t></is></c><c t=\"inlineStr\"><is><t>EAN</t></is></c>"
                                   "<c t=\"inlineStr\"><is><t>Cena</t></is></c><c t=\"inlineStr\"><is><t>PDV</t></is></c>"
                                   "</row>");
    for (int i = 1; i <= rows; ++i)
        sheet += QStringLiteral("<row r=\"%1\"><c><v>%2</v></c><c t=\"inlineStr\"><is><t>Артикал %2</t></is></c>"
                                "<c><v>%3</v></c><c t=\"inlineStr\"><is><t>%4,50 дин</t></is></c>"
                                "<c t=\"inlineStr\"><is><t>%5</t></is></c></row>")
                     .arg(i + 1)
                     .arg(i)
                     .arg(8600000000000ll + i)
                     .arg(i % 3000)
                     .arg(i % 9);
    sheet += QStringLiteral("</sheetData></worksheet>");
    const QList<QPair<QString, QByteArray>> members = {
        {QStringLiteral("xl/workbook.xml"),
         "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
         "<sheet name=\"Artikli\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {QStringLiteral("xl/worksheets/sheet1.xml"), sheet.toUtf8()},
    };
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto &m : members) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(m.first)) || file.write(m.second) != m.second.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

void previewAndApply(const QString &path)
{
    ArticleTableModel model;
    QTableView view;
    view.setModel(&model);
    view.show();
    QElapsedTimer clock;
    clock.start();
    const Workbook book = BookReader::readFile(path);
    const qint64 read = clock.elapsed();
    if (!book.ok()) {
        std::printf("%s\n", qPrintable(book.error));
        return;
    }
    const MappingGuess::Guess guess = MappingGuess::guess(book.sheets.at(0), ImportTarget::articles());
    ImportRequest request = requestFor(model);
    request.mapping = guess.mapping;
    request.headingRow = guess.headingRow;
    const ImportPlan plan = ImportPlanner::plan(book.sheets.at(0), request);
    const qint64 preview = clock.elapsed();
    clock.restart();
    ImportApply::apply(model, plan);
    QCoreApplication::processEvents();
    const qint64 applied = clock.elapsed();
    std::printf("4000-row XLSX: read %lld ms, to the preview %lld ms (aim 300), applied %lld ms (aim 100); %s\n",
                read, preview, applied, qPrintable(plan.summary.text()));
}

void windowStall(const QString &path)
{
    ArticleTableModel model;
    ImportWindow window(
        ImportTarget::articles(), [&model] { return requestFor(model); },
        [&model](const ImportPlan &plan) { ImportApply::apply(model, plan); });
    window.show();
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, sinceTick.restart());
    });
    bool planned = false;
    QObject::connect(&window, &ImportWindow::planned, [&planned] { planned = true; });
    QElapsedTimer total;
    total.start();
    sinceTick.start();
    tick.start();
    window.openFile(path);
    while (!(planned && !window.busy()) && total.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 opened = total.elapsed();
    QCoreApplication::processEvents();
    longest = qMax(longest, sinceTick.elapsed());
    const qint64 openLongest = longest;
    QElapsedTimer apply;
    apply.start();
    window.findChild<QPushButton *>(QStringLiteral("btnImportApply"))->click();
    const qint64 applied = apply.elapsed();
    std::printf("50 000-row sheet in the window: planned after %lld ms, the window held at most %lld ms at a time "
                "(aim 500); applied in %lld ms; %s\n",
                opened, openLongest, applied, qPrintable(window.plan().summary.text()));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString small = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QStringLiteral(VILARON_IMPORT_FIXTURES "/bench-4000.xlsx");
    previewAndApply(small);
    QTemporaryDir dir;
    QString big = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("bench-50000.xlsx"));
    if (argc <= 2 && !writeBigXlsx(big, 50000)) {
        std::printf("the 50 000-row sheet could not be made\n");
        return 1;
    }
    windowStall(big);
    return 0;
}
