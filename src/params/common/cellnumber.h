#pragma once

#include "params/common/celltext.h"

#include "core/decimaltext.h"
#include "core/regional.h"

#include <QString>

// The rules by which the edit fields of the article and department boxes turn
// a typed number into the text stored in a table cell.
namespace CellNumber {

// A price times 100 may not exceed this.
constexpr qint64 PriceLimitHundredths = 99999999999LL;

// Converts an edit-field text. A text that contains the regional decimal
// separator is converted with it and a failure throws ConversionError (the
// general error report). Any other text is converted with the point as
// decimal mark; a failure there returns false (a data error).
bool convertEdit(const QString &text, const Regional &regional, int scale, ScaledNumber *out);

// The decimal mark a cell text is read with: the regional separator when the
// text holds it, otherwise the point.
QChar markFor(const QString &text, const Regional &regional);

// The text a corrected number is stored as: "0" followed by the text when it
// begins with the regional separator, otherwise the value in plain number
// form (12.50 -> 12.5, 007 -> 7, with the regional separator).
QString storedText(const QString &text, const Regional &regional);

// Plain number form of a text that converts with `mark`: no trailing zeros,
// up to 15 significant digits, `decimal` as separator. The digits are taken
// from the text itself, so nothing is lost to binary fractions.
QString plainForm(const QString &text, QChar mark, QChar decimal);

// True when the value of the text times 100 exceeds PriceLimitHundredths.
bool priceOverLimit(const QString &text, QChar mark);

// Number of characters after the first regional separator (0 without one).
int charactersAfterSeparator(const QString &text, const Regional &regional);

using CellText::trimControls;

} // namespace CellNumber
