#pragma once

#include "import/importfields.h"
#include "import/sheet.h"

// Which row of a sheet holds the headings and which column fills which
// field, guessed from heading words in Serbian Cyrillic and Latin and in
// English (Назив/Naziv/Name/Artikal, Цена/Cena/Price/MPC, ...). Only the
// first rows are looked at: a title above the headings is passed over.
namespace MappingGuess {

struct Guess {
    int headingRow = -1; // -1: no row of headings found
    ImportMapping mapping;
};

Guess guess(const Sheet &sheet, const ImportTarget &target);
// The mapping the headings of one row give.
ImportMapping fromHeadings(const SheetRow &headings, const ImportTarget &target);
// The field a heading names, or false.
bool fieldOf(const QString &heading, ImportField *field);
// A heading folded for comparison: lower case, č ć š ž đ as c c s z dj,
// punctuation as blanks, blanks collapsed.
QString fold(const QString &heading);

} // namespace MappingGuess
