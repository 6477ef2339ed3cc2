#pragma once

#include "search/articlesearch.h"

#include <QDialog>

class ArticleFamily;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The article search window (form frmTrazi of class TfrmTrazi, caption
// "Pretrazivanje"). Created once and kept, so the search text and the choice
// stay between openings. A search selects the first matching article in the
// article table through the article family; it changes nothing else.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    explicit SearchWindow(ArticleFamily &family, QWidget *parent = nullptr);

    QString windowClass() const { return property("windowClass").toString(); }

    ArticleSearch::Mode mode() const;
    void setMode(ArticleSearch::Mode mode);
    QString searchText() const;
    QString resultText() const;

public slots:
    // BtnTrazi: runs one search over the article table.
    void BtnTraziClick();
    // A code from the barcode reader: into EdtTrazi, the search by barcode.
    void takeScannedCode(const QString &code);

private:
    ArticleFamily &m_family;
    QLineEdit *m_text;
    QRadioButton *m_byBarcode;
    QRadioButton *m_byName;
    QPushButton *m_search;
    QLabel *m_result;
};
