#include "params/departments/departmentsbox.h"

#include "params/common/familybox.h"
#include "params/common/celltext.h"
#include "params/common/taxlabeldelegate.h"
#include "params/common/columnsizing.h"
#include "params/common/enterapplies.h"
#include "params/common/exchangebuttons.h"
#include "params/common/namedwidgets.h"
#include "params/common/rowselection.h"
#include "core/programerror.h"
#include "edit/edithistory.h"
#include "edit/stepnames.h"
#include "params/common/tableediting.h"
#include "params/departments/departmentfamily.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

DepartmentsBox::DepartmentsBox(DepartmentFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral(" Одељења : "), parent), m_family(family)
{
    setObjectName(QStringLiteral("gbStands"));

    m_name = named(new QLineEdit(this), "EdtONaziv");
    m_price = named(new QLineEdit(this), "EdtOCena");
    m_group = groupCombo("CB_OGrupa", this);
    m_tax = named(new QComboBox(this), "CB_OPorez");
    TaxLabelDelegate::setUp(m_tax);
    auto *correct = button("BtnOCor", QStringLiteral("Исправка"), this);

    // The name takes the spare width; the price is as wide as its values.
    auto *edits = editRow({{label("LblONaziv", QStringLiteral("Назив"), this), m_name},
                           {label("LblOCena", QStringLiteral("Цена"), this), m_price},
                           {label("LblOGrupa", QStringLiteral("Група"), this), m_group},
                           {label("lblOPorez", QStringLiteral("Порез"), this), m_tax}},
                          correct);
    m_price->setMinimumWidth(m_price->fontMetrics().horizontalAdvance(QStringLiteral("0000000,00")) + 12);

    m_table = named(new QTableView(this), "SgPodgrupe");
    m_table->setModel(&family.model());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    const QStringList widest = {QStringLiteral("8"), QStringLiteral("Млечни производи 0,5"),
                                QStringLiteral("0000000,00"), QStringLiteral("12"), QStringLiteral("Ђ"),
                                QStringLiteral("00000000,00")};
    ColumnSizing::fit(m_table, widest);
    // Never narrower than its columns: no scroll bar across (a narrow page scrolls instead).
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setMinimumWidth(ColumnSizing::fullWidth(m_table));
    ColumnSizing::stretch(m_table, DepartmentTableModel::Name);
    // All eight departments show; the page gives the rest to the articles.
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFixedHeight(ColumnSizing::fullHeight(m_table, DepartmentTableModel::RowCount));
    m_table->setCurrentIndex(family.model().index(0, DepartmentTableModel::Name));
    new TableEditing(m_table, family.model(), family.model().history(), family);

    auto *read = button("btnSTRead", QStringLiteral("Читање из касе"), this);
    auto *write = button("btnSTWrite", QStringLiteral("Унос у касу"), this);
    auto *row = new QHBoxLayout;
    row->addWidget(button("BtnOFileSave", QStringLiteral("Снимање у фаjл"), this));
    row->addWidget(button("BtnOFileRead", QStringLiteral("Читање из фаjла"), this));
    row->addWidget(button("btnOImport", QStringLiteral("Увоз..."), this));
    row->addStretch(1);
    row->addWidget(read);
    row->addWidget(write);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(edits);
    layout->addWidget(m_table, 1);
    layout->addLayout(row);

    buttons.add(read, true);
    buttons.add(write, false);
    FamilyBox::tag(this, family, write);

    connect(read, &QPushButton::clicked, &family, &DepartmentFamily::btnSTReadClick);
    connect(write, &QPushButton::clicked, &family, &DepartmentFamily::btnSTWriteClick);
    connect(&family, &DepartmentFamily::readStarted, &buttons, [&buttons, write] { buttons.allow(write); });
    connect(correct, &QPushButton::clicked, this, [this] {
        m_family.model().history().record(StepNames::Correction, [this] { m_family.BtnOCorClick(this->edits()); });
    });
    new EnterApplies({m_name, m_price, m_group, m_tax}, correct);
    connect(&family, &DepartmentFamily::editsFilled, this, &DepartmentsBox::applyFill);
    // An undo or redo over the selected row shows in the edit fields, so that
    // a correction never puts back what the row held before.
    connect(&family.model().history(), &EditHistory::stepTaken, this, [this](const QString &, int first, int last) {
        const int row = m_family.currentRow();
        if (row < first || row > last)
            return;
        DepartmentEditFill fill;
        try {
            DepartmentEditing::selectionFill(m_family.model().row(row), &fill);
        } catch (const ProgramError &) {
            // Not the user's click: no error report; the lists stay as they were.
        }
        applyFill(fill);
    });
    // Every click on a row selects it, also a click on the row already current.
    connect(new RowSelection(m_table), &RowSelection::selected, this,
            [this](const QModelIndex &index) { m_family.selectRow(index.row()); });
}

DepartmentEdits DepartmentsBox::edits() const
{
    return DepartmentEdits{m_name->text(), m_price->text(), m_group->currentText(), m_tax->currentText()};
}

void DepartmentsBox::applyFill(const DepartmentEditFill &fill)
{
    m_name->setText(fill.name);
    m_price->setText(fill.price);
    if (fill.group)
        m_group->setCurrentIndex(*fill.group);
    if (fill.tax)
        m_tax->setCurrentIndex(*fill.tax);
}
