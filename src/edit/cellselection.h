#pragma once

#include <vector>

// A rectangle of cells, rows and columns inclusive.
struct CellRect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    int rows() const { return bottom - top + 1; }
    int columns() const { return right - left + 1; }
    int cells() const { return rows() * columns(); }
    bool contains(int row, int column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
};

// What the user selected in a table: rectangles (Ctrl+click adds more) and
// the current cell.
struct CellSelection {
    std::vector<CellRect> rects;
    int currentRow = 0;
    int currentColumn = 0;

    int cells() const;
    // The smallest rectangle holding every selected cell (the current cell
    // when nothing is selected).
    CellRect bounds() const;
    bool contains(int row, int column) const;
};
