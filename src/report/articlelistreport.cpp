#include "report/articlelistreport.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace {

using L = ArticleListReport::Layout;
const QString Title = QStringLiteral("Artikli");

QFont reportFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Draws text inside the band from top to top + height, vertically centred,
// anchored at x (tenths of a mm) by the alignment.
class BandPainter {
public:
    BandPainter(QPainter &painter, double dotsPerMm) : m_p(painter), m_scale(dotsPerMm / 10.0) {}

    double dots(int tenths) const { return tenths * m_scale; }
    double widthOf(const QString &text) const { return QFontMetricsF(m_p.font(), m_p.device()).horizontalAdvance(text); }

    void left(const QString &text, int x, int top, int height) { draw(text, dots(x), top, height); }
    void right(const QString &text, int x, int top, int height)
    {
        draw(text, dots(x) - widthOf(text), top, height);
    }
    void centre(const QString &text, int x, int top, int height)
    {
        draw(text, dots(x) - widthOf(text) / 2, top, height);
    }
    // Left-aligned text held within maxWidth dots: a wider text is printed
    // whole, narrowed horizontally to fit.
    void leftWithin(const QString &text, int x, double maxWidth, int top, int height)
    {
        const double width = widthOf(text);
        if (width <= maxWidth || maxWidth <= 0) {
            left(text, x, top, height);
            return;
        }
        m_p.save();
        m_p.translate(dots(x), 0);
        m_p.scale(maxWidth / width, 1.0);
        draw(text, 0, top, height);
        m_p.restore();
    }

private:
    void draw(const QString &text, double x, int top, int height)
    {
        const QFontMetricsF metrics(m_p.font(), m_p.device());
        const double y = dots(top) + (dots(height) - metrics.height()) / 2 + metrics.ascent();
        m_p.drawText(QPointF(x, y), text);
    }

    QPainter &m_p;
    double m_scale;
};

} // namespace

int ArticleListReport::detailTop(int page) { return page == 0 ? L::TitleBand + L::HeaderBand : L::HeaderBand; }

int ArticleListReport::rowsOnPage(int page, int printableHeight)
{
    // At least one detail band per page, however small the paper: the report
    // always ends.
    const int room = printableHeight - L::FooterBand - detailTop(page);
    return qMax(1, room / L::DetailBand);
}

int ArticleListReport::pageCount(int printableHeight) const
{
    int pages = 1;
    int left = m_table.size() - rowsOnPage(0, printableHeight);
    while (left > 0) {
        left -= rowsOnPage(pages, printableHeight);
        ++pages;
    }
    return pages;
}

ArticleListReport::Slice ArticleListReport::slice(int page, int printableHeight) const
{
    Slice s;
    int first = 0;
    for (int p = 0; p < page; ++p)
        first += rowsOnPage(p, printableHeight);
    s.first = qMin(first, m_table.size());
    s.count = qBound(0, m_table.size() - s.first, rowsOnPage(page, printableHeight));
    return s;
}

void ArticleListReport::paintPage(QPainter &painter, int page, double dotsPerMm, int printableHeight) const
{
    BandPainter band(painter, dotsPerMm);
    painter.setPen(Qt::black);
    int top = 0;
    if (page == 0) {
        painter.setFont(reportFont(18, true));
        band.left(Title, L::TitleX, top, L::TitleBand);
        top += L::TitleBand;
    }

    painter.setFont(reportFont(10, true));
    const QString headers[5] = {QStringLiteral("Sifra"), QStringLiteral("Naziv"), QStringLiteral("Barkod"),
                                QStringLiteral("Cena"), QStringLiteral("Stopa")};
    for (int i = 0; i < 5; ++i)
        band.left(headers[i], L::HeaderX[i], top, L::HeaderBand);
    top += L::HeaderBand;

    painter.setFont(reportFont(10, false));
    const Slice s = slice(page, printableHeight);
    for (int i = 0; i < s.count; ++i) {
        const ArticleReportRecord &r = m_table.records().at(std::size_t(s.first + i));
        band.right(r.sifra, L::SifraRight, top, L::DetailBand);
        const double barcodeLeft = band.dots(L::BarkodRight) - band.widthOf(r.barkod);
        band.leftWithin(r.naziv, L::NazivLeft, barcodeLeft - band.dots(L::NazivLeft + L::NameGap), top,
                        L::DetailBand);
        band.right(r.barkod, L::BarkodRight, top, L::DetailBand);
        band.right(r.cena, L::CenaRight, top, L::DetailBand);
        band.centre(r.stopa, L::StopaCentre, top, L::DetailBand);
        top += L::DetailBand;
    }
    // The page footer band below is empty.
}

void ArticleListReport::setUpPrinter(QPrinter &printer)
{
    printer.setFullPage(false);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    printer.setDocName(Title);
}

bool ArticleListReport::print(QPrinter &printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double dotsPerMm = printer.resolution() / 25.4;
    // The paper in force: the preview lets the user choose another one.
    const int height = qRound(printer.pageLayout().paintRect(QPageLayout::Millimeter).height() * 10);
    const int pages = pageCount(height);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        paintPage(painter, page, dotsPerMm, height);
    }
    return painter.end();
}

bool ArticleListReport::renderToPdf(const QString &path, QString *error) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    setUpPrinter(printer);
    if (!print(printer) || QFileInfo(path).size() <= 0) {
        if (error)
            *error = QStringLiteral("Cannot write %1").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    return true;
}

QImage ArticleListReport::pageImage(int page, int dotsPerInch) const
{
    const double dotsPerMm = dotsPerInch / 25.4;
    QImage image(qRound(L::PageWidth * dotsPerMm / 10), qRound(L::PageHeight * dotsPerMm / 10),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerMm * 1000));
    image.setDotsPerMeterY(qRound(dotsPerMm * 1000));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(L::Margin * dotsPerMm / 10, L::Margin * dotsPerMm / 10);
    paintPage(painter, page, dotsPerMm);
    return image;
}
