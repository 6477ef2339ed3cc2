#pragma once

class QAbstractItemModel;
class QTableView;

// A table view laid out like a string grid: no view headers (row 0 and
// column 0 of the model are the fixed header cells, drawn like buttons),
// rows 17 pixels high, editable in place where the model allows it.
namespace GridSetup {

void configure(QTableView *view, QAbstractItemModel *model, int defaultColumnWidth = 64);

} // namespace GridSetup
