#pragma once

#include <QAbstractItemModel>
#include <climits>

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
