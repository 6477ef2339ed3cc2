#include "search/searchwindow.h"

#include "params/articles/articlefamily.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SearchWindow::SearchWindow(ArticleFamily &family, QWidget *parent) : QDialog(parent), m_family(family)
{
    setObjectName(QStringLiteral("frmTrazi"));
    setProperty("windowClass", QStringLiteral("TfrmTrazi"));
    setWindowTitle(QStringLiteral("Pretrazivanje"));
    setModal(true);
    // Arial at the program's text size (which follows the desktop's).
    QFont base(QStringLiteral("Arial"));
    base.setPointSizeF(QApplication::font().pointSizeF());
    base.setStyleHint(QFont::SansSerif);
    setFont(base);

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("EdtTrazi"));
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    QPalette look = m_text->palette();
    look.setColor(QPalette::Text, Qt::blue);
    look.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
    m_text->setPalette(look);

    auto *choice = new QGroupBox(this);
    choice->setObjectName(QStringLiteral("RadioGroup1"));
    m_byBarcode = new QRadioButton(QStringLiteral("BarKod"), choice);
    m_byBarcode->setObjectName(QStringLiteral("RadioGroup1BarKod"));
    m_byName = new QRadioButton(QStringLiteral("Naziv"), choice);
    m_byName->setObjectName(QStringLiteral("RadioGroup1Naziv"));
    m_byBarcode->setChecked(true);
    auto *choiceLayout = new QVBoxLayout(choice);
    choiceLayout->setContentsMargins(6, 2, 6, 2);
    choiceLayout->setSpacing(0);
    choiceLayout->addWidget(m_byBarcode);
    choiceLayout->addWidget(m_byName);

    m_search = new QPushButton(QStringLiteral("Тражи"), this);
    m_search->setObjectName(QStringLiteral("BtnTrazi"));
    m_search->setDefault(true);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("LblTrazi"));

    auto *left = new QVBoxLayout;
    left->addWidget(m_text);
    left->addWidget(m_search);
    auto *row = new QHBoxLayout;
    row->addLayout(left, 1);
    row->addWidget(choice);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(row);
    layout->addWidget(m_result);
    setMinimumWidth(199);
    adjustSize();

    connect(m_search, &QPushButton::clicked, this, &SearchWindow::BtnTraziClick);
}

ArticleSearch::Mode SearchWindow::mode() const
{
    return m_byName->isChecked() ? ArticleSearch::Mode::Name : ArticleSearch::Mode::Barcode;
}

void SearchWindow::setMode(ArticleSearch::Mode mode)
{
    (mode == ArticleSearch::Mode::Name ? m_byName : m_byBarcode)->setChecked(true);
}

QString SearchWindow::searchText() const { return m_text->text(); }

QString SearchWindow::resultText() const { return m_result->text(); }

void SearchWindow::BtnTraziClick()
{
    const ArticleSearch::Result result = ArticleSearch::search(m_family.model(), m_text->text(), mode());
    m_result->setText(ArticleSearch::messageFor(result.outcome));
    // Selecting behaves as the user's selection, except that a result already
    // selected stays as it is: the edit fields keep what the user typed.
    if (result.outcome == ArticleSearch::Outcome::Found && result.row != m_family.currentRow())
        m_family.selectRow(result.row);
}

void SearchWindow::takeScannedCode(const QString &code)
{
    m_text->setText(code);
    setMode(ArticleSearch::Mode::Barcode);
}
