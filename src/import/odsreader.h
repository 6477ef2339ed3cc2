#pragma once

#include "import/sheet.h"

#include <QString>

class ZipArchive;

// An OpenDocument spreadsheet: every table of content.xml in order; numbers
// as stored, per cent values and dates as text, repeated rows and cells
// spread out (those at the end of a table that hold nothing are dropped);
// a covered (merged) cell is empty.
namespace OdsReader {

// The archive is an OpenDocument file (it has a content.xml); read() tells
// a spreadsheet from a text or a drawing.
bool isSpreadsheet(const ZipArchive &zip);
Workbook read(ZipArchive &zip, const QString &name);

} // namespace OdsReader
