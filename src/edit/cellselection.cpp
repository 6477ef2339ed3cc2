#include "edit/cellselection.h"

#include <algorithm>

int CellSelection::cells() const
{
    int n = 0;
    for (const CellRect &r : rects)
        n += r.cells();
    return n;
}

CellRect CellSelection::bounds() const
{
    if (rects.empty())
        return CellRect{currentRow, currentColumn, currentRow, currentColumn};
    CellRect b = rects.front();
    for (const CellRect &r : rects) {
        b.top = std::min(b.top, r.top);
        b.left = std::min(b.left, r.left);
        b.bottom = std::max(b.bottom, r.bottom);
        b.right = std::max(b.right, r.right);
    }
    return b;
}

bool CellSelection::contains(int row, int column) const
{
    return std::any_of(rects.begin(), rects.end(), [&](const CellRect &r) { return r.contains(row, column); });
}
