#pragma once

#include "core/regional.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// Cell texts the families share.
namespace CellText {

// The group numbers an article or a department may name: "0" to "12".
const QStringList &groupNumbers();

// Leading and trailing blanks and control characters (codes up to 32) removed.
QString trimControls(const QString &text);

// A percentage cell (tax rate, revenue share) checked for the wire.
struct Percent {
    bool accepted = false;
    std::uint16_t wire = 0; // hundredths of a percent
};
// A text holding the regional separator converts with it and throws
// ConversionError when it does not; any other text converts with the point
// and is refused when it does not. Values below 0 or above 100 are refused
// in both forms, judged on the number as typed (100,001 is above 100); the
// wire value is cut to hundredths.
Percent percent(const QString &text, const Regional &regional);

} // namespace CellText
