#pragma once

#include <QList>

class QAbstractItemModel;
class QTableView;
class QWidget;

// A table view laid out like a string grid over a TextGrid: no view headers
// (row 0 and column 0 of the model are the fixed cells, drawn like buttons),
// rows 17 pixels high (or the font's height), the given column widths (or
// wider where a heading needs it), editable in place, the Tab
// key moving from cell to cell.
namespace GridView {

constexpr int RowHeight = 17;

QTableView *create(const char *objectName, QAbstractItemModel *model, const QList<int> &columnWidths,
                   QWidget *parent);

// The outer size that shows every column and `rows` rows without scrolling.
int fullWidth(const QTableView *view);
int fullHeight(const QTableView *view, int rows);

} // namespace GridView
