#pragma once

#include "import/sheet.h"

#include <QByteArray>
#include <QString>

class ZipArchive;

// An Excel workbook (Office Open XML): every sheet in the workbook's order,
// shared and inline strings, numbers as stored, dates and per cent values as
// text; a merged range keeps its value in its first cell.
namespace XlsxReader {

bool isWorkbook(const ZipArchive &zip);
Workbook read(ZipArchive &zip, const QString &name);

} // namespace XlsxReader
