#pragma once

#include <QList>
#include <QString>

// A set of record indexes as short text: "0-11,40" (ascending, no repeats).
namespace RecordRanges {

QString toText(QList<int> records);
// False for anything but ascending, non-overlapping runs of whole numbers
// from 0 up to `limit` - 1.
bool fromText(const QString &text, int limit, QList<int> *records);

} // namespace RecordRanges
