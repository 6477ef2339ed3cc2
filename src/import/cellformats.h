#pragma once

#include <QString>

// How a spreadsheet's number cell becomes text for the import: dates and
// per cent values as a person reads them, other numbers as the file stores
// them (the point as decimal mark).
namespace CellFormats {

// "0.2" -> "20%", exactly (no floating point on the way).
QString percentText(const QString &stored);
// A day count from 30 December 1899 (the spreadsheets' day 0), fraction
// ignored, as "dd.MM.yyyy"; the stored text when it is no such number.
QString serialDateText(const QString &stored, bool from1904);
// An ISO date ("2024-03-05" or "2024-03-05T10:00:00") as "dd.MM.yyyy".
QString isoDateText(const QString &iso);
// A spreadsheet number format code that shows a date (d, m or y outside
// quotes and brackets).
bool isDateFormat(const QString &code);

} // namespace CellFormats
