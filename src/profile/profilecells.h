#pragma once

#include "core/regional.h"

#include <QString>

// What a cell of a profile table holds, and so how it is checked and how its
// number is carried from the separators of one program to another's.
enum class CellKind {
    Text,     // any text on one line
    TaxLabel, // a tax label; a single digit 0..8 read from a file names the label at that index
    Whole,    // a whole number (department, group)
    Digits,   // decimal digits only (passwords)
    Decimal,  // a decimal number in the cell rule: the regional separator, or the point
    Rate,     // a decimal, or the no-rate marker: a text beginning with an asterisk
};

namespace ProfileCells {

// The cell text written with the separators `from`, as a program with the
// separators `to` holds it: the decimal separator is exchanged, the no-rate
// marker becomes "**" + decimal + "**". An empty cell stays empty (the
// tables hold empty cells until they are read). Gives false when the text is
// not of its kind.
bool carry(CellKind kind, const QString &text, const Regional &from, const Regional &to, QString *out);

// A tax cell as loaded from a file: a single digit 0..8 is the label at that index.
QString taxLabelFromFile(const QString &text);

} // namespace ProfileCells
