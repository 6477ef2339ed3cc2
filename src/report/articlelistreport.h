#pragma once

#include "report/articlereporttable.h"

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;

// The banded article list "Artikli" on US Letter, portrait, 10 mm margins:
// a title band on the first page, the column header band on every page, one
// detail band per record and an empty page footer band. Lengths are held in
// tenths of a millimetre, measured from the top left corner of the printable
// area (inside the margins).
class ArticleListReport {
public:
    struct Layout {
        static constexpr int PageWidth = 2159;  // US Letter
        static constexpr int PageHeight = 2794;
        static constexpr int Margin = 100;
        static constexpr int PrintableHeight = PageHeight - 2 * Margin;
        static constexpr int TitleBand = 93;
        static constexpr int HeaderBand = 85;
        static constexpr int DetailBand = 42;
        static constexpr int FooterBand = 106;
        static constexpr int TitleX = 868;
        static constexpr int HeaderX[5] = {21, 508, 1164, 1461, 1577};
        static constexpr int SifraRight = 130;
        static constexpr int NazivLeft = 191;
        static constexpr int BarkodRight = 1312;
        static constexpr int CenaRight = 1548;
        static constexpr int StopaCentre = 1623;
        // The least gap kept between a long name and the barcode after it.
        static constexpr int NameGap = 10;
    };

    // Records on one page, from the first.
    struct Slice {
        int first = 0;
        int count = 0;
    };

    explicit ArticleListReport(const ArticleReportTable &table) : m_table(table) {}

    // Pages for a printable area of the given height (tenths of a mm); an
    // empty table still gives one page with the title and the headers.
    int pageCount(int printableHeight = Layout::PrintableHeight) const;
    Slice slice(int page, int printableHeight = Layout::PrintableHeight) const;

    // Paints page `page` (0 = first) with the painter's origin at the top left
    // of the printable area, at dotsPerMm device dots per millimetre.
    void paintPage(QPainter &painter, int page, double dotsPerMm,
                   int printableHeight = Layout::PrintableHeight) const;

    // US Letter, portrait, 10 mm margins, millimetres.
    static void setUpPrinter(QPrinter &printer);
    // All pages onto the printer (the preview's paint request, or a print).
    // False when the printer cannot be painted on.
    bool print(QPrinter &printer) const;
    // The whole report as a PDF file. False with *error on failure.
    bool renderToPdf(const QString &path, QString *error = nullptr) const;
    // One whole page, margins included, as an image at the given resolution.
    QImage pageImage(int page, int dotsPerInch) const;

private:
    static int detailTop(int page);
    static int rowsOnPage(int page, int printableHeight);

    const ArticleReportTable &m_table;
};
