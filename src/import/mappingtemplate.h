#pragma once

#include "import/importfields.h"
#include "import/sheet.h"

#include <QByteArray>
#include <QString>

// A saved mapping, so that the next price list of the same shop maps itself:
// a small JSON file naming, per field, the column's heading and its letter.
// On loading, a heading found in the sheet's heading row wins over the
// letter, so a list whose columns moved still maps right.
namespace MappingTemplate {

struct Saved {
    bool headings = true; // the sheet had a row of headings
    ImportMapping mapping;
};

QByteArray write(const ImportMapping &mapping, const Sheet &sheet, int headingRow, const ImportTarget &target);
// False with the reason for a file that is no mapping template.
bool read(const QByteArray &bytes, const Sheet &sheet, int headingRow, const ImportTarget &target, Saved *saved,
          QString *why);

} // namespace MappingTemplate
