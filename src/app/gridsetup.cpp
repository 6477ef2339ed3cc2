#include "app/gridsetup.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
class FixedCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.row() == 0 || index.column() == 0) {
            option->backgroundBrush = option->palette.button();
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::ButtonText));
            option->palette.setColor(QPalette::HighlightedText, option->palette.color(QPalette::ButtonText));
            option->palette.setBrush(QPalette::Highlight, option->palette.button());
        }
    }
};
} // namespace

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
