#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Cell blocks as spreadsheets (LibreOffice Calc, Excel) put them on the
// clipboard as text: cells separated by tabs, rows ended by CR LF, a cell
// holding a tab, a line break or a quote written in double quotes with its
// quotes doubled.
namespace ClipboardText {

using Block = QList<QStringList>;

QString encode(const Block &rows);
// Also takes LF or CR alone between rows, with or without a line break
// after the last row; a text with no tab and no line break is one cell.
// Rows may come back shorter than the widest one.
Block decode(const QString &text);
// The widest row of a block.
int width(const Block &rows);

} // namespace ClipboardText
