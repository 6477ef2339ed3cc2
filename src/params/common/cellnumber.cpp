#include "params/common/cellnumber.h"

#include <cstdlib>

namespace CellNumber {

QChar markFor(const QString &text, const Regional &regional)
{
    return DecimalText::containsRegionalSeparator(text, regional) ? regional.decimal : QLatin1Char('.');
}

bool convertEdit(const QString &text, const Regional &regional, int scale, ScaledNumber *out)
{
    if (DecimalText::containsRegionalSeparator(text, regional)) {
        *out = DecimalText::parse(text, regional.decimal, scale); // throws
        return true;
    }
    return DecimalText::tryParse(text, QLatin1Char('.'), scale, out);
}

QString plainForm(const QString &text, QChar mark, QChar decimal)
{
    // The finest scale at which the value still fits in 64 bits keeps at
    // least 17 significant digits; round those to 15.
    constexpr int MaxScale = 17;
    ScaledNumber n;
    int scale = MaxScale;
    for (; scale >= 0; --scale) {
        if (!DecimalText::tryParse(text, mark, scale, &n))
            return text;
        if (!n.saturated)
            break;
    }
    if (scale < 0) // beyond 64 bits: keep the text as it was typed
        return text;
    quint64 magnitude = n.units < 0 ? quint64(0) - quint64(n.units) : quint64(n.units);
    int digits = 0;
    for (quint64 m = magnitude; m != 0; m /= 10)
        ++digits;
    int drop = digits - 15;
    if (drop > scale)
        drop = scale; // whole digits are never dropped
    if (drop > 0) {
        quint64 p = 1;
        for (int k = 0; k < drop; ++k)
            p *= 10;
        magnitude = (magnitude + p / 2) / p;
        scale -= drop;
    }
    const qint64 units = n.units < 0 ? -qint64(magnitude) : qint64(magnitude);
    return DecimalText::formatScaled(units, scale, decimal);
}

QString storedText(const QString &text, const Regional &regional)
{
    if (text.startsWith(regional.decimal))
        return QLatin1Char('0') + text;
    return plainForm(text, markFor(text, regional), regional.decimal);
}

bool priceOverLimit(const QString &text, QChar mark)
{
    ScaledNumber n;
    if (!DecimalText::tryParse(text, mark, 2, &n))
        return false;
    if (n.saturated || n.units > PriceLimitHundredths)
        return true;
    if (n.units < PriceLimitHundredths)
        return false;
    // Exactly at the limit in hundredths: over it when more digits follow.
    ScaledNumber fine;
    DecimalText::tryParse(text, mark, 9, &fine);
    return fine.saturated || fine.units > PriceLimitHundredths * 10000000LL;
}

int charactersAfterSeparator(const QString &text, const Regional &regional)
{
    const qsizetype at = text.indexOf(regional.decimal);
    return at < 0 ? 0 : int(text.size() - at - 1);
}

} // namespace CellNumber
