#pragma once

#include "edit/editabletable.h"

#include <QAbstractItemModel>
#include <climits>
#include <vector>

// The rectangle the cells of one change span: the model tells of it with one
// dataChanged, however many cells it holds.
struct ChangedArea {
    int top = INT_MAX;
    int left = INT_MAX;
    int bottom = -1;
    int right = -1;

    void add(int row, int column)
    {
        top = qMin(top, row);
        bottom = qMax(bottom, row);
        left = qMin(left, column);
        right = qMax(right, column);
    }
    bool isEmpty() const { return bottom < 0; }
    QModelIndex topLeft(const QAbstractItemModel &model) const { return model.index(top, left); }
    QModelIndex bottomRight(const QAbstractItemModel &model) const { return model.index(bottom, right); }
};

// Puts each cell's text into the string `slot(row, column)` points to (null
// for a cell that cannot be written) where it differs, and returns the area
// of the cells that changed.
template <typename Slot>
ChangedArea writeDiffering(const std::vector<CellWrite> &cells, Slot slot)
{
    ChangedArea area;
    for (const CellWrite &c : cells) {
        QString *target = slot(c.row, c.column);
        if (!target || *target == c.text)
            continue;
        *target = c.text;
        area.add(c.row, c.column);
    }
    return area;
}
