#pragma once

#include <QString>
#include <vector>

// One cell to write: model row and column, and its new text.
struct CellWrite {
    int row = 0;
    int column = 0;
    QString text;
};

// A table as the editing actions and the undo history see it: text cells
// in model coordinates, which of them the user may type into, the rules
// typing applies and the texts the table starts with.
class EditableTable {
public:
    virtual ~EditableTable() = default;

    virtual int editRows() const = 0;
    virtual int editColumns() const = 0;
    // Empty outside the table.
    virtual QString editText(int row, int column) const = 0;
    // The user may type into the cell (not a fixed number or heading cell).
    virtual bool typable(int row, int column) const = 0;
    // What typing `text` into a cell of this column stores.
    virtual QString typedText(int /*column*/, const QString &text) const { return text; }
    // The cell's text at start-up.
    virtual QString startText(int row, int column) const = 0;
    // The column's heading, as a copy with headings gives it.
    virtual QString columnHeading(int column) const = 0;
    // Writes the texts as they are (cells outside the table are ignored),
    // with one change notice spanning every changed cell.
    virtual void writeCells(const std::vector<CellWrite> &cells) = 0;
};
