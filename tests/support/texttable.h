#pragma once

// A plain in-memory EditableTable for the editing tests: every cell text,
// column 0 fixed, start-up texts "s<row>.<column>", typing upper-cases
// column 2 and keeps at most three characters in column 3. It counts the
// change notices a real model would send.
#include "edit/editabletable.h"

#include <QStringList>
#include <vector>

class TextTable : public EditableTable {
public:
    TextTable(int rows, int columns) : m_rows(rows), m_columns(columns)
    {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                m_cells.push_back(startText(r, c));
    }
    int editRows() const override { return m_rows; }
    int editColumns() const override { return m_columns; }
    QString editText(int row, int column) const override
    {
        return inside(row, column) ? m_cells[std::size_t(row * m_columns + column)] : QString();
    }
    bool typable(int row, int column) const override { return inside(row, column) && column > 0; }
    QString typedText(int column, const QString &text) const override
    {
        return column == 2 ? text.toUpper() : column == 3 ? text.left(3) : text;
    }
    QString startText(int row, int column) const override { return QStringLiteral("s%1.%2").arg(row).arg(column); }
    QString columnHeading(int column) const override { return QStringLiteral("h%1").arg(column); }
    void writeCells(const std::vector<CellWrite> &cells) override
    {
        ++notices;
        for (const CellWrite &c : cells)
            if (inside(c.row, c.column))
                m_cells[std::size_t(c.row * m_columns + c.column)] = c.text;
    }
    void set(int row, int column, const QString &text) { writeCells({CellWrite{row, column, text}}); }
    // The table's texts row by row, cells joined by '|'.
    QStringList rows() const
    {
        QStringList out;
        for (int r = 0; r < m_rows; ++r) {
            QStringList cells;
            for (int c = 0; c < m_columns; ++c)
                cells << editText(r, c);
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    int notices = 0;

private:
    bool inside(int row, int column) const { return row >= 0 && row < m_rows && column >= 0 && column < m_columns; }
    int m_rows;
    int m_columns;
    std::vector<QString> m_cells;
};
