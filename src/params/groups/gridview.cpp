#include "params/groups/gridview.h"

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
    view->verticalHeader()->setDefaultSectionSize(RowHeight);
    view->horizontalHeader()->setMinimumSectionSize(20);
    for (int c = 0; c < columnWidths.size(); ++c)
        view->setColumnWidth(c, columnWidths[c]);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    view->setTabKeyNavigation(true);
    view->setTextElideMode(Qt::ElideNone);
    view->setWordWrap(false);
    view->setCurrentIndex(model->index(1, 1));
    return view;
}

int fullWidth(const QTableView *view, const QList<int> &columnWidths)
{
    int width = 2 * view->frameWidth() + 1;
    for (int w : columnWidths)
        width += w;
    return width;
}

int fullHeight(const QTableView *view, int rows) { return rows * RowHeight + 2 * view->frameWidth() + 1; }

} // namespace GridView
