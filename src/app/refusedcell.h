#pragma once

#include <QString>

class QWidget;

// Makes the cell of a refused record the current cell of its family's table
// and scrolls it into view: in the table, and in the page that holds the
// table (at once, or when that page is next shown).
namespace RefusedCell {

// False when `root` holds no table for the family.
bool show(QWidget *root, const QString &family, int row, int column);

} // namespace RefusedCell
