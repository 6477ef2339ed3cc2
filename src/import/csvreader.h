#pragma once

#include "import/sheet.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// A CSV file as one sheet. The encoding is found from the bytes (UTF-8 with
// or without its byte order mark, UTF-16 with its mark, otherwise code page
// 1251) and the delimiter from the lines (';', ',', tab or '|'). Quoted
// fields may hold delimiters, doubled quotes and line breaks. Every cell is
// text.
namespace CsvReader {

QString decode(const QByteArray &bytes);
// The delimiter that splits the first lines most evenly; ';' when none does.
QChar detectDelimiter(const QString &text);
QList<SheetRow> split(const QString &text, QChar delimiter);

// `name` is the file's name, for the sheet and the refusal.
Workbook read(const QByteArray &bytes, const QString &name);

} // namespace CsvReader
