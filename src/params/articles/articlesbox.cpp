#include "params/articles/articlesbox.h"

#include "params/common/familybox.h"
#include "params/common/celltext.h"
#include "core/programerror.h"
#include "params/articles/articlefamily.h"
#include "params/common/taxlabeldelegate.h"
#include "params/common/columnsizing.h"
#include "params/common/enterapplies.h"
#include "params/common/exchangebuttons.h"
#include "params/common/namedwidgets.h"
#include "params/common/rowselection.h"
#include "edit/stepnames.h"
#include "params/common/tableediting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

QWidget *ArticleCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    if (index.column() == ArticleTableModel::Name)
        editor->setMaxLength(ArticleTableModel::NameLength);
    return editor;
}

ArticlesBox::ArticlesBox(ArticleFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral(" Артикли : "), parent), m_family(family)
{
    setObjectName(QStringLiteral("gbArticles"));

    m_name = named(new QLineEdit(this), "edtArticleName");
    m_name->setValidator(new TypingLimit(ArticleTableModel::NameLength, m_name));
    m_barcode = named(new QLineEdit(this), "edtBarkod");
    m_barcode->setValidator(new TypingLimit(13, m_barcode));
    m_stand = named(new QComboBox(this), "cbAStand");
    m_stand->addItems(ArticleEditing::departmentItems());
    m_stand->setCurrentIndex(0);
    m_price = named(new QLineEdit(this), "edtAPrice");
    m_price->setValidator(new TypingLimit(10, m_price));
    m_tax = named(new QComboBox(this), "cbATG");
    TaxLabelDelegate::setUp(m_tax);
    m_quantity = named(new QLineEdit(this), "EdtAKol");
    m_group = groupCombo("CB_AGrupa", this);
    m_correct = button("btnACor", QStringLiteral("Исправка"), this);

    // The name takes the spare width; the other fields are as wide as the
    // values they hold.
    auto *edits = editRow({{label("Label18", QStringLiteral("Назив артикла :"), this), m_name},
                           {label("LabelBarkod", QStringLiteral("Бар-код :"), this), m_barcode},
                           {label("Label21", QStringLiteral("Од."), this), m_stand},
                           {label("Label16", QStringLiteral("Цена :"), this), m_price},
                           {label("Label6", QStringLiteral("П. Ст."), this), m_tax},
                           {label("LblAKolicina", QStringLiteral("Кол."), this), m_quantity},
                           {label("lblAGrupa", QStringLiteral("Гр."), this), m_group}},
                          m_correct);
    m_barcode->setMinimumWidth(m_barcode->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")) + 12);
    for (QLineEdit *e : {m_price, m_quantity})
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-00000,000")) + 12);

    m_table = named(new QTableView(this), "sgArticles");
    m_table->setModel(&family.model());
    m_table->setItemDelegate(new ArticleCellDelegate(m_table));
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_table->verticalHeader()->hide();
    // 4000 rows: fixed row heights, never measured from the contents.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The widest value of each column (never measured over 4000 rows); the
    // name column takes the spare width.
    const QStringList widest = {QStringLiteral("4000"), QStringLiteral("Хлеб бели велики 0,5"),
                                QStringLiteral("00000000000000"), QStringLiteral("8"), QStringLiteral("0000000,00"),
                                QStringLiteral("Ђ"), QStringLiteral("-00000,000"), QStringLiteral("12"),
                                QStringLiteral("0000000,000"), QStringLiteral("00000000,00")};
    ColumnSizing::fit(m_table, widest);
    ColumnSizing::stretch(m_table, ArticleTableModel::Name);
    // Never squeezed below a useful look at the table: on a small screen
    // the page scrolls instead.
    m_table->setMinimumHeight(ColumnSizing::fullHeight(m_table, 8));
    new TableEditing(m_table, family.model(), family.model().history(), family);

    m_read = button("btnARead", QStringLiteral("Читање из касе"), this);
    m_write = button("btnAWrite", QStringLiteral("Унос у касу"), this);
    // Changes-only write and verification: the session behind the window runs them.
    auto *writeChanges = button("btnAWriteChanges", QStringLiteral("Унос измена"), this);
    auto *verify = button("btnAVerify", QStringLiteral("Провера"), this);
    auto *fileSave = button("btnAFSave", QStringLiteral("Снимање у фаjл"), this);
    auto *fileLoad = button("btnAFLoad", QStringLiteral("Читање из фаjла"), this);
    // A shop's own list (CSV, XLSX, ODS): the import window, which the main window attaches.
    auto *import = button("btnAImport", QStringLiteral("Увоз..."), this);
    auto *search = button("BtnPretraga", QStringLiteral("Тражи"), this);
    auto *terminal = button("BtnTerminal", QStringLiteral("Терминал"), this);
    auto *report = button("BitBtn1", QString(), this);
    report->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    report->setToolTip(QStringLiteral("Извештај"));

    auto *row = new QHBoxLayout;
    for (QPushButton *b : {fileSave, fileLoad, import, search, report, terminal})
        row->addWidget(b);
    row->addStretch(1);
    row->addWidget(m_read);
    row->addWidget(m_write);
    row->addWidget(writeChanges);
    row->addWidget(verify);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(edits);
    layout->addWidget(m_table, 1);
    layout->addLayout(row);

    buttons.add(m_read, true);
    buttons.add(m_write, true);
    FamilyBox::tag(this, family, m_write);
    buttons.add(writeChanges, true);
    buttons.add(verify, true);

    connect(&family, &ArticleFamily::editsFilled, this, &ArticlesBox::applyFill);
    connect(&family, &ArticleFamily::currentCellRequested, this, &ArticlesBox::moveCurrentCell);
    connect(new RowSelection(m_table), &RowSelection::selected, this, &ArticlesBox::onRowSelected);
    // Whatever changes the selected row (typing in place, a read, a load, an
    // import) shows in the edit fields, so that a correction never puts back
    // what the row held before.
    connect(&family.model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                const int row = m_family.currentRow();
                if (topLeft.row() <= row && row <= bottomRight.row())
                    refillFromCurrentRow();
            });
    connect(&family.model(), &QAbstractItemModel::modelReset, this, &ArticlesBox::refillFromCurrentRow);
    connect(m_read, &QPushButton::clicked, &family, &ArticleFamily::btnAReadClick);
    connect(m_write, &QPushButton::clicked, &family, &ArticleFamily::btnAWriteClick);
    connect(&family, &ArticleFamily::readStarted, &buttons, [&buttons, this] { buttons.allow(m_write); });
    connect(m_correct, &QPushButton::clicked, this, [this] {
        m_family.model().history().record(StepNames::Correction, [this] { m_family.btnACorClick(this->edits()); });
    });
    new EnterApplies({m_name, m_barcode, m_stand, m_price, m_tax, m_quantity, m_group}, m_correct);

    // Start-up: row 1, column 1 current and shown in the edit fields.
    family.selectFirstRow();
}

ArticleEdits ArticlesBox::edits() const
{
    return ArticleEdits{m_name->text(),  m_barcode->text(),  m_stand->currentText(), m_price->text(),
                        m_tax->currentText(), m_quantity->text(), m_group->currentText()};
}

void ArticlesBox::applyFill(const ArticleEditFill &fill)
{
    if (fill.name)
        m_name->setText(*fill.name);
    if (fill.barcode)
        m_barcode->setText(*fill.barcode);
    if (fill.price)
        m_price->setText(*fill.price);
    if (fill.quantity)
        m_quantity->setText(*fill.quantity);
    if (fill.department)
        m_stand->setCurrentIndex(*fill.department);
    if (fill.tax)
        m_tax->setCurrentIndex(*fill.tax);
    if (fill.group)
        m_group->setCurrentIndex(*fill.group);
}

void ArticlesBox::moveCurrentCell(int row, int column)
{
    const QModelIndex index = m_family.model().index(row, column);
    m_movingCurrent = true;
    m_table->setCurrentIndex(index);
    m_table->scrollTo(index);
    m_movingCurrent = false;
}

void ArticlesBox::onRowSelected(const QModelIndex &index)
{
    if (m_movingCurrent)
        return;
    m_family.sgArticlesClick(index.row());
}

void ArticlesBox::refillFromCurrentRow()
{
    ArticleEditFill fill;
    try {
        ArticleEditing::selectionFill(m_family.model().row(m_family.currentRow()), &fill);
    } catch (const ProgramError &) {
        // Not the user's click: no error report; the lists stay as they were.
    }
    applyFill(fill);
}
