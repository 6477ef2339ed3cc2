#include "profile/profilecells.h"

#include "core/decimaltext.h"
#include "protocol/fields.h"

namespace ProfileCells {
namespace {

bool isOneLine(const QString &text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
}

bool allDigits(const QString &text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool carryDecimal(const QString &text, const Regional &from, const Regional &to, QString *out)
{
    // The cell rule of the program that wrote it: its own separator, or the point.
    const bool regional = DecimalText::containsRegionalSeparator(text, from);
    ScaledNumber number;
    if (!DecimalText::tryParse(text, regional ? from.decimal : QLatin1Char('.'), 3, &number))
        return false;
    QString carried = text;
    if (regional)
        carried.replace(from.decimal, to.decimal);
    // A point text stays a point text; a reader whose separator is the point
    // reads it with the same value.
    *out = carried;
    return true;
}

} // namespace

QString taxLabelFromFile(const QString &text)
{
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('8'))
        return Fields::taxLabels().at(text[0].unicode() - '0');
    return text;
}

bool carry(CellKind kind, const QString &text, const Regional &from, const Regional &to, QString *out)
{
    if (text.isEmpty() && kind != CellKind::Text && kind != CellKind::TaxLabel) {
        *out = text;
        return true;
    }
    switch (kind) {
    case CellKind::Text:
    case CellKind::TaxLabel:
        if (!isOneLine(text))
            return false;
        *out = text;
        return true;
    case CellKind::Whole: {
        int value = 0;
        if (!DecimalText::tryParseInteger(text, &value))
            return false;
        *out = text;
        return true;
    }
    case CellKind::Digits:
        if (!allDigits(text))
            return false;
        *out = text;
        return true;
    case CellKind::Rate:
        if (text.startsWith(QLatin1Char('*'))) {
            *out = QStringLiteral("**") + to.decimal + QStringLiteral("**");
            return true;
        }
        return carryDecimal(text, from, to, out);
    case CellKind::Decimal:
        return carryDecimal(text, from, to, out);
    }
    return false;
}

} // namespace ProfileCells
