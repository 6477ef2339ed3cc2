#include "params/common/celltext.h"

#include "core/decimaltext.h"
#include "core/programerror.h"

namespace CellText {

const QStringList &groupNumbers()
{
    static const QStringList items = [] {
        QStringList numbers;
        for (int n = 0; n <= 12; ++n)
            numbers << QString::number(n);
        return numbers;
    }();
    return items;
}

namespace {
// Digits kept for the range check: 13 beyond the hundredths of the wire.
constexpr int RangeScale = 15;
constexpr qint64 RangeFactor = 10000000000000LL; // 10^(RangeScale - 2)
constexpr qint64 MaxPercent = 10000;             // in hundredths
} // namespace

QString trimControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

Percent percent(const QString &text, const Regional &regional)
{
    const bool regionalForm = DecimalText::containsRegionalSeparator(text, regional);
    const QChar mark = regionalForm ? regional.decimal : QLatin1Char('.');
    ScaledNumber fine;
    if (!DecimalText::tryParse(text, mark, RangeScale, &fine)) {
        if (regionalForm)
            throw ConversionError::floatingPoint(text);
        return {};
    }
    // The wire holds an unsigned count of hundredths: a negative value or
    // one above 100 would arrive as some other value, so both are refused.
    if (fine.negative || fine.saturated || fine.units > MaxPercent * RangeFactor)
        return {};
    return {true, std::uint16_t(fine.units / RangeFactor)};
}

} // namespace CellText
