#pragma once

#include "report/articlelistreport.h"
#include "report/articlereporttable.h"

#include <QWidget>
#include <functional>

class ArticleTableModel;
class QPrintPreviewDialog;

// The report definition of the article list (form izvestajForm of class
// TizvestajForm, caption "Izvestaj Artikli"). Created once at start-up; the
// window itself is never shown, only the print preview of its report.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportWindow(const ArticleTableModel &articles, QWidget *parent = nullptr);

    QString windowClass() const { return property("windowClass").toString(); }
    const ArticleReportTable &table() const { return m_table; }
    const ArticleListReport &report() const { return m_report; }

    // Called with the preview just before it is shown modally (tests close
    // it from here; by default nothing is done).
    void setPreviewHook(std::function<void(QPrintPreviewDialog &)> hook) { m_previewHook = std::move(hook); }

public slots:
    // BitBtn1: fills the report table from the article table and shows the
    // report in the modal print preview; returns when the preview closes.
    void BitBtn1Click();

private:
    const ArticleTableModel &m_articles;
    ArticleReportTable m_table;
    ArticleListReport m_report{m_table};
    std::function<void(QPrintPreviewDialog &)> m_previewHook;
};
