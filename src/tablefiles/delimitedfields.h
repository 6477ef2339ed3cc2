#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Fields of one line of an article or department file.
namespace DelimitedFields {

// Field k (counted from 1) of a line, unquoted: a double quote toggles the
// in-quotes state and stays in the field, a separator outside quotes ends
// the field; a result enclosed in quotes loses them, and then pairs of
// quotes become one. A line with fewer fields gives an empty text.
QString extract(const QString &line, int k, QChar separator);

// A raw field as extract() finishes it: enclosing quotes removed, then
// pairs of quotes made one.
QString unquote(QString raw);

// All fields of a line up to `count`, as extract() gives them.
QStringList extractAll(const QString &line, int count, QChar separator);

// Enclosed in double quotes, each inner quote written twice.
QString quoted(const QString &text);
// Enclosed in double quotes, inner quotes left as they are (the tax field).
QString enclosed(const QString &text);

// Splits file text into lines ended by CR LF, LF or CR.
QStringList splitLines(const QString &text);

} // namespace DelimitedFields
