#pragma once

#include "core/regional.h"
#include "params/articles/articletablemodel.h"

#include <QByteArray>
#include <QString>

// The article records of commands 115 (read one article) and 116 (write one).
namespace ArticleRecord {

constexpr int NameWidth = 36;      // name bytes of a reply (frame offsets 11..46)
constexpr int NameFieldWidth = 37; // name field of a write (frame offsets 11..47)
constexpr int BarcodeWidth = 7;
constexpr int BarcodeDigits = 14;
constexpr int WriteDataLength = 56;

// Data part of the read request: the article index, low byte first.
QByteArray readRequest(int index);

// The row a reply frame to 115 describes (the index it carries is not used).
ArticleRow readReply(const QByteArray &frame, const Regional &regional);

// Packed barcode: 14 decimal digits in 7 bytes, the first digit in the high
// half of the first byte. The text is cut to 14 characters or padded on the
// left with "0"; each character gives its low four bits.
QByteArray packBarcode(const QString &text);
// Values 0..9 give their digit, 10..15 no character.
QString barcodeText(const QByteArray &packed);

enum class Check { Ok, DataError };

// Builds the data part of the write request for article `index` from its
// row, checking it: a tax cell whose first character is no label (or empty),
// a group that is not a whole number 0..12, a department that is not a
// whole number 1..8, a price with a minus sign, or a price or quantity
// without the regional separator that is not a whole number is a data error
// (*data is then left empty). A price or quantity holding the regional
// separator that does not convert throws ConversionError.
Check writeRequest(int index, const ArticleRow &row, const Regional &regional, QByteArray *data);

} // namespace ArticleRecord
