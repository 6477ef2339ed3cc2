#include "params/common/columnsizing.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace ColumnSizing {

int cellWidth(const QTableView *view, const QString &text)
{
    // The item's text margins on both sides and the grid line.
    return view->fontMetrics().horizontalAdvance(text) + 12;
}

void fit(QTableView *view, const QStringList &samples, int measuredRows, const QList<int> &least)
{
    const QHeaderView *header = view->horizontalHeader();
    const QAbstractItemModel *model = view->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        int width = qMax(header->minimumSectionSize(), least.value(c));
        if (!header->isHidden())
            width = qMax(width, header->sectionSizeHint(c));
        for (int r = 0; r < qMin(measuredRows, model->rowCount()); ++r)
            width = qMax(width, cellWidth(view, model->index(r, c).data().toString()));
        if (c < samples.size() && !samples[c].isEmpty())
            width = qMax(width, cellWidth(view, samples[c]));
        view->setColumnWidth(c, width);
    }
}

void stretch(QTableView *view, int column)
{
    QHeaderView *header = view->horizontalHeader();
    header->setMinimumSectionSize(qMin(header->minimumSectionSize(), view->columnWidth(column)));
    header->setSectionResizeMode(column, QHeaderView::Stretch);
}

int rowHeight(const QTableView *view, int least) { return qMax(least, view->fontMetrics().height() + 4); }

int fullWidth(const QTableView *view)
{
    int width = 2 * view->frameWidth() + 1;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        width += view->columnWidth(c);
    return width;
}

int fullHeight(const QTableView *view, int rows)
{
    int height = 2 * view->frameWidth() + rows * view->verticalHeader()->defaultSectionSize() + 1;
    if (!view->horizontalHeader()->isHidden())
        height += view->horizontalHeader()->sizeHint().height();
    if (view->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        height += view->horizontalScrollBar()->sizeHint().height();
    return height;
}

} // namespace ColumnSizing
