#pragma once

#include <QList>
#include <QString>

// One cell of an imported sheet: its text as the file holds it, and whether
// the file kept it as a number (a barcode that a spreadsheet turned into a
// number has lost any leading zero).
struct SheetCell {
    QString text;
    bool number = false;
    bool operator==(const SheetCell &o) const { return text == o.text && number == o.number; }
};

using SheetRow = QList<SheetCell>;

// One sheet of a workbook (a CSV file is one sheet): rows as in the file,
// short rows not padded, merged cells holding their value in the first cell.
struct Sheet {
    QString name;
    QList<SheetRow> rows;
    int columnCount() const;
    // The text of a cell; empty outside the rows the file has.
    QString text(int row, int column) const;
};

// What a reader gives: every sheet of the file, or a refusal that names the
// file and says why.
struct Workbook {
    QList<Sheet> sheets;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
