#pragma once

#include "core/regional.h"

#include <QString>
#include <QtGlobal>

// A number text converted to an exact count of 10^-scale units. No double is
// ever involved, so "8,2" gives exactly 820 hundredths.
struct ScaledNumber {
    qint64 units = 0;       // value * 10^scale, cut toward zero
    bool negative = false;  // the value is below zero (before cutting)
    bool saturated = false; // too large for 64 bits; units holds the limit
};

namespace DecimalText {

// Converts with `mark` as the decimal mark: leading blanks, an optional sign,
// digits with at most one mark, an optional exponent (e/E), trailing blanks.
// Returns false when the text does not convert.
bool tryParse(const QString &text, QChar mark, int scale, ScaledNumber *out);

// As tryParse, but a failure throws ConversionError with the floating point text.
ScaledNumber parse(const QString &text, QChar mark, int scale);

// The cell rule: a text holding the regional decimal separator is converted
// with it; any other text with the point as decimal mark.
bool containsRegionalSeparator(const QString &text, const Regional &regional);
ScaledNumber parseCell(const QString &text, const Regional &regional, int scale);

// Whole numbers (32-bit): leading blanks, optional sign, digits, nothing after.
bool tryParseInteger(const QString &text, int *out);
// Throws ConversionError with the integer text.
int parseInteger(const QString &text);

// Plain number form: no trailing zeros, no separator for whole values, the
// regional decimal separator. formatScaled(513, 2, ',') == "5,13".
QString formatScaled(qint64 units, int scale, QChar decimal);

} // namespace DecimalText
