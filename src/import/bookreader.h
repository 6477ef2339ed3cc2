#pragma once

#include "import/sheet.h"

#include <QByteArray>
#include <QString>

// Any file a shop may hand over: a zip file is read as an XLSX or ODS
// workbook, anything else as CSV. A file that is none of them (a damaged
// archive, a text document, an old binary Excel file) is refused with its
// name and the reason, and no sheet.
namespace BookReader {

// `name`: the file's name as the messages show it.
Workbook read(const QByteArray &bytes, const QString &name);
Workbook readFile(const QString &path);

} // namespace BookReader
