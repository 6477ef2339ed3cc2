#include "params/common/gridbox.h"

#include "params/common/familybox.h"
#include "params/common/columnsizing.h"
#include "params/common/exchangebuttons.h"
#include "params/common/fixedcelldelegate.h"
#include "params/common/gridfamily.h"
#include "params/common/tableediting.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int RowHeight = 17;

QTableView *createView(const QString &objectName, TextGrid *model, const QList<int> &columnWidths, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(objectName);
    view->setProperty("dataLook", QStringLiteral("plain"));
    view->setModel(model);
    view->setItemDelegate(new FixedCellDelegate(
        view, [](const QModelIndex &i) { return TextGrid::isFixed(i.column(), i.row()); }));
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(10);
    view->verticalHeader()->setDefaultSectionSize(ColumnSizing::rowHeight(view, RowHeight));
    view->horizontalHeader()->setMinimumSectionSize(20);
    // The given widths, or wider where the font needs it for a heading.
    ColumnSizing::fit(view, {}, model->rowCount(), columnWidths);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    view->setTabKeyNavigation(true);
    view->setTextElideMode(Qt::ElideNone);
    view->setWordWrap(false);
    view->setCurrentIndex(model->index(1, 1));
    return view;
}
} // namespace

GridBox::GridBox(GridFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(family.box().caption, parent)
{
    const GridFamily::Description::Box &look = family.box();
    setObjectName(look.name);
    m_table = createView(look.table, &family.grid(), look.widths, this);
    new TableEditing(m_table, family.grid(), family.grid().history(), family);
    if (look.scrolls) {
        m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        // Every row and column shows: the grid never scrolls.
        m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_table->setFixedSize(ColumnSizing::fullWidth(m_table),
                              ColumnSizing::fullHeight(m_table, family.grid().rows()));
    }

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(look.readButton);
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(look.writeButton);
    buttons.add(m_read, true);
    buttons.add(m_write, false);
    FamilyBox::tag(this, family, m_write);
    connect(&family, &GridFamily::readStarted, &buttons, [&buttons, w = m_write] { buttons.allow(w); });

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_read);
    buttonRow->addWidget(m_write);
    auto *layout = new QVBoxLayout(this);
    if (look.scrolls)
        layout->addWidget(m_table, 1);
    else
        layout->addWidget(m_table, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(buttonRow);
    if (!look.scrolls)
        layout->addStretch();
}
