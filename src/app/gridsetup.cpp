#include "app/gridsetup.h"

#include "params/common/fixedcelldelegate.h"

#include <QHeaderView>
#include <QTableView>


namespace GridSetup {

void configure(QTableView *view, QAbstractItemModel *model, int defaultColumnWidth)
{
    view->setModel(model);
    view->setItemDelegate(new FixedCellDelegate(view));
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(10);
    view->verticalHeader()->setDefaultSectionSize(17);
    view->horizontalHeader()->setDefaultSectionSize(defaultColumnWidth);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    view->setTabKeyNavigation(true);
    view->setWordWrap(false);
}

} // namespace GridSetup
