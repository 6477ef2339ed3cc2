#include "core/decimaltext.h"

#include "core/programerror.h"

#include <limits>

namespace DecimalText {
namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Digits without the mark, and where the mark stands among them.
struct Mantissa {
    QString digits;
    qint64 pointPosition = 0; // number of digits before the decimal mark
    bool minus = false;
};

bool scan(const QString &text, QChar mark, Mantissa *m)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        m->minus = text[i] == QLatin1Char('-');
        ++i;
    }
    bool sawDigit = false;
    bool sawMark = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            m->digits.append(c);
            if (!sawMark)
                ++m->pointPosition;
            sawDigit = true;
        } else if (c == mark && !sawMark) {
            sawMark = true;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        bool expMinus = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            expMinus = text[i] == QLatin1Char('-');
            ++i;
        }
        if (i >= n || !isDigit(text[i]))
            return false;
        qint64 exponent = 0;
        for (; i < n && isDigit(text[i]); ++i)
            exponent = qMin<qint64>(exponent * 10 + text[i].digitValue(), 100000);
        m->pointPosition += expMinus ? -exponent : exponent;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    return i == n;
}

} // namespace

bool tryParse(const QString &text, QChar mark, int scale, ScaledNumber *out)
{
    Mantissa m;
    if (!scan(text, mark, &m))
        return false;
    ScaledNumber result;
    bool nonZero = false;
    for (QChar c : m.digits)
        nonZero = nonZero || c != QLatin1Char('0');
    result.negative = m.minus && nonZero;
    // Keep the digits in front of the scaled point; everything after is cut.
    const qint64 keep = m.pointPosition + scale;
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    qint64 units = 0;
    for (qint64 k = 0; k < keep; ++k) {
        const int digit = k < m.digits.size() ? m.digits[k].digitValue() : 0;
        if (units > (limit - digit) / 10) {
            units = limit;
            result.saturated = true;
            break;
        }
        units = units * 10 + digit;
    }
    result.units = m.minus ? -units : units;
    *out = result;
    return true;
}

ScaledNumber parse(const QString &text, QChar mark, int scale)
{
    ScaledNumber n;
    if (!tryParse(text, mark, scale, &n))
        throw ConversionError::floatingPoint(text);
    return n;
}

bool containsRegionalSeparator(const QString &text, const Regional &regional)
{
    return text.contains(regional.decimal);
}

ScaledNumber parseCell(const QString &text, const Regional &regional, int scale)
{
    const QChar mark = containsRegionalSeparator(text, regional) ? regional.decimal : QLatin1Char('.');
    return parse(text, mark, scale);
}

bool tryParseInteger(const QString &text, int *out)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool minus = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        minus = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return false;
    qint64 value = 0;
    for (; i < n; ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + text[i].digitValue();
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (minus)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return false;
    *out = static_cast<int>(value);
    return true;
}

int parseInteger(const QString &text)
{
    int value = 0;
    if (!tryParseInteger(text, &value))
        throw ConversionError::integer(text);
    return value;
}

QString formatScaled(qint64 units, int scale, QChar decimal)
{
    const bool minus = units < 0;
    // Work on the magnitude as unsigned so that the 64-bit minimum cannot overflow.
    quint64 magnitude = minus ? quint64(0) - quint64(units) : quint64(units);
    quint64 divisor = 1;
    for (int k = 0; k < scale; ++k)
        divisor *= 10;
    const quint64 whole = magnitude / divisor;
    quint64 fraction = magnitude % divisor;
    QString text = QString::number(whole);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(scale, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += decimal + digits;
    }
    return minus ? QLatin1Char('-') + text : text;
}

} // namespace DecimalText
