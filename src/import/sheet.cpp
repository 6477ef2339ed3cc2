#include "import/sheet.h"

int Sheet::columnCount() const
{
    qsizetype widest = 0;
    for (const SheetRow &row : rows)
        widest = qMax(widest, row.size());
    return int(widest);
}

QString Sheet::text(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows.at(row).size())
        return QString();
    return rows.at(row).at(column).text;
}
