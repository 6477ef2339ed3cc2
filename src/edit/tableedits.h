#pragma once

#include "edit/cellselection.h"
#include "edit/clipboardtext.h"
#include "edit/editabletable.h"

#include <QString>
#include <QStringList>
#include <vector>

// The spreadsheet actions on a table, worked out without touching it: each
// gives the cells to write (only those that would change), for the table's
// history to apply as one step. Cells the user may not type into are left.
namespace TableEdits {

// A cell that the column's typing rules stored differently from the
// clipboard.
struct Adjusted {
    int row = 0;
    int column = 0;
    QString given;
    QString stored;
};

struct Paste {
    std::vector<CellWrite> writes;
    std::vector<Adjusted> adjusted;
    int leftOutRows = 0;    // rows of the block below the table's end
    int leftOutColumns = 0; // columns of the block past its last column
};

// The block at the current cell; one value into every selected cell of a
// larger selection; a block into a single larger rectangle as many whole
// times as fit (at least once), from the rectangle's top-left cell.
Paste paste(const EditableTable &table, const CellSelection &selection, const ClipboardText::Block &block);
// The top cell of each selected rectangle's columns into the cells below it.
std::vector<CellWrite> fillDown(const EditableTable &table, const CellSelection &selection);
// Every selected cell back to its start-up text.
std::vector<CellWrite> clear(const EditableTable &table, const CellSelection &selection);
// The selected cells as a block over their bounds (cells between the
// rectangles come out empty), the column headings first when asked.
ClipboardText::Block copy(const EditableTable &table, const CellSelection &selection, bool withHeadings);

// Texts the actions show.
QString cellCount(int count); // "1 ћелије", "120 ћелија"
QString pasteStepName(int cells);
QString fillStepName(int cells);
QString clearStepName(int cells);
QString leftOutText(const Paste &paste); // empty when nothing was left out
// The message naming the first twenty adjusted cells; empty when none.
QString adjustedText(const EditableTable &table, const std::vector<Adjusted> &adjusted);

} // namespace TableEdits
