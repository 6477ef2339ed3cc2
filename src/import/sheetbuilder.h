#pragma once

#include "import/sheet.h"

// Fills a sheet cell by cell as a reader meets them, placing each at its
// row and column. Gaps before a cell become empty cells and rows; empty
// cells at the end of a row or rows at the end of the sheet are never made.
// A file that would make more than CellBudget cells in all its sheets (a few
// bytes can ask for a whole column of a million rows) is refused instead of
// filling the memory; the sheets of one file share `spent`.
class SheetBuilder {
public:
    static constexpr qint64 CellBudget = 20'000'000;
    static constexpr int MaxColumns = 16384;
    static constexpr int MaxRows = 1'048'576;

    SheetBuilder(const QString &name, qint64 *spent) : m_spent(spent) { m_sheet.name = name; }

    // False (and the builder stops taking cells) when the place lies outside
    // a sheet's limits or the budget is spent.
    bool put(int row, int column, const SheetCell &cell);
    bool overflowed() const { return m_overflow; }
    Sheet take() { return std::move(m_sheet); }

private:
    Sheet m_sheet;
    qint64 *m_spent;
    bool m_overflow = false;
};
