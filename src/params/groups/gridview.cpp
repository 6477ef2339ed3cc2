#include "params/groups/gridview.h"

#include "params/common/columnsizing.h"
#include "params/common/fixedcelldelegate.h"
#include "params/common/textgrid.h"

#include <QHeaderView>
#include <QTableView>

namespace GridView {

QTableView *create(const char *objectName, QAbstractItemModel *model, const QList<int> &columnWidths,
                   QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QLatin1String(objectName));
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

int fullWidth(const QTableView *view) { return ColumnSizing::fullWidth(view); }

int fullHeight(const QTableView *view, int rows) { return ColumnSizing::fullHeight(view, rows); }

} // namespace GridView
