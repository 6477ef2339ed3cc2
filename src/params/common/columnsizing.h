#pragma once

#include <QList>
#include <QStringList>

class QTableView;

// Column widths that follow the font: every column at least as wide as its
// header (the view's header, or row 0 of a grid without one) and its widest
// sample value, and one column that takes the width left over.
namespace ColumnSizing {

// The width a cell needs to show `text` whole.
int cellWidth(const QTableView *view, const QString &text);

// Sizes each column to its header and to samples[c] (an empty sample: the
// header only), never below least[c]. The cells of the model's first
// `measuredRows` rows are measured too (a grid's row 0 is its header).
void fit(QTableView *view, const QStringList &samples = {}, int measuredRows = 0, const QList<int> &least = {});

// The column takes the spare width of the view; the others keep theirs.
void stretch(QTableView *view, int column);

// A row height that fits the font, never below `least`.
int rowHeight(const QTableView *view, int least);

// The outer size that shows every column / `rows` rows without scrolling.
int fullWidth(const QTableView *view);
int fullHeight(const QTableView *view, int rows);

} // namespace ColumnSizing
