#include "params/taxrates/taxratesbox.h"

#include "params/common/familybox.h"
#include "params/common/columnsizing.h"
#include "params/common/exchangebuttons.h"
#include "params/common/fixedcelldelegate.h"
#include "params/common/tableediting.h"
#include "params/taxrates/taxratefamily.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>


TaxRatesBox::TaxRatesBox(TaxRateFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral(" Пореске стопе : "), parent)
{
    setObjectName(QStringLiteral("gbTaxGroups"));

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("sgTaxGroups"));
    m_table->setProperty("dataLook", QStringLiteral("plain"));
    m_table->setModel(&family.table());
    m_table->setItemDelegate(new FixedCellDelegate(
        m_table, [](const QModelIndex &i) { return TaxRateTable::isFixed(i.column(), i.row()); }));
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setMinimumSectionSize(10);
    m_table->verticalHeader()->setDefaultSectionSize(ColumnSizing::rowHeight(m_table, 17));
    m_table->horizontalHeader()->setMinimumSectionSize(20);
    // 30 and 66 pixels, or wider where the font needs it ("%(0,0-99,99)").
    ColumnSizing::fit(m_table, {}, m_table->model()->rowCount(), {30, 66});
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTextElideMode(Qt::ElideNone);
    m_table->setWordWrap(false);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFixedSize(ColumnSizing::fullWidth(m_table), ColumnSizing::fullHeight(m_table, TaxRateTable::Rows));
    new TableEditing(m_table, family.table(), family.table().history(), family);
    selectFirstRate();

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(QStringLiteral("btnTGRead"));
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(QStringLiteral("btnTGWrite"));
    buttons.add(m_read, true);
    buttons.add(m_write, false);
    FamilyBox::tag(this, family, m_write);
    connect(m_read, &QPushButton::clicked, &family, &TaxRateFamily::btnTGReadClick);
    connect(m_write, &QPushButton::clicked, &family, &TaxRateFamily::btnTGWriteClick);
    connect(&family, &TaxRateFamily::readStarted, &buttons, [&buttons, w = m_write] { buttons.allow(w); });

    m_realNumbers = new QCheckBox(this);
    m_realNumbers->setObjectName(QStringLiteral("chbRealNumbers"));
    m_realNumbers->setChecked(true);
    m_realNumbers->setEnabled(false);
    m_realNumbers->hide();
    auto *realLabel = new QLabel(QStringLiteral("Разломци"), this);
    realLabel->setObjectName(QStringLiteral("chbRealNumbersLabel"));
    realLabel->hide();

    auto *buttonColumn = new QVBoxLayout;
    buttonColumn->addStretch();
    buttonColumn->addWidget(m_read);
    buttonColumn->addWidget(m_write);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_table, 0, Qt::AlignTop);
    layout->addLayout(buttonColumn);
}

void TaxRatesBox::selectFirstRate()
{
    m_table->setCurrentIndex(m_table->model()->index(1, 1));
}
