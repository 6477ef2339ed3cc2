#include "report/reportwindow.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

ReportWindow::ReportWindow(const ArticleTableModel &articles, QWidget *parent)
    : QWidget(parent, Qt::Window), m_articles(articles)
{
    setObjectName(QStringLiteral("izvestajForm"));
    setProperty("windowClass", QStringLiteral("TizvestajForm"));
    setWindowTitle(QStringLiteral("Izvestaj Artikli"));
}

void ReportWindow::BitBtn1Click()
{
    m_table.fill(m_articles);
    QPrinter printer(QPrinter::HighResolution);
    ArticleListReport::setUpPrinter(printer);
    QPrintPreviewDialog preview(&printer, parentWidget());
    preview.setObjectName(QStringLiteral("QuickRep1Preview"));
    preview.setWindowTitle(QStringLiteral("Artikli"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) { m_report.print(*p); });
    if (m_previewHook)
        m_previewHook(preview);
    preview.exec();
}
