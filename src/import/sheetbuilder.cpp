#include "import/sheetbuilder.h"

bool SheetBuilder::put(int row, int column, const SheetCell &cell)
{
    if (m_overflow)
        return false;
    if (row < 0 || row >= MaxRows || column < 0 || column >= MaxColumns) {
        m_overflow = true;
        return false;
    }
    if (cell.text.isEmpty())
        return true;
    const qint64 newRows = qMax<qint64>(0, row + 1 - m_sheet.rows.size());
    const qint64 newCells = qMax<qint64>(0, column + 1 - (row < m_sheet.rows.size() ? m_sheet.rows.at(row).size() : 0));
    if (*m_spent + newRows + newCells > CellBudget) {
        m_overflow = true;
        return false;
    }
    *m_spent += newRows + newCells;
    while (m_sheet.rows.size() <= row)
        m_sheet.rows.append(SheetRow());
    SheetRow &cells = m_sheet.rows[row];
    while (cells.size() <= column)
        cells.append(SheetCell());
    cells[column] = cell;
    return true;
}
