#include "app/trace/hexcelldelegate.h"

#include <QFontMetrics>
#include <QStyleOptionViewItem>

int HexCellDelegate::charactersThatFit(const QFontMetrics &metrics, int width)
{
    // A hidden password byte reads "••" in place of its two digits.
    int narrowestDigit = metrics.horizontalAdvance(QChar(0x2022));
    for (const char c : QByteArrayLiteral("0123456789ABCDEF"))
        if (c != '\0')
            narrowestDigit = qMin(narrowestDigit, metrics.horizontalAdvance(QLatin1Char(c)));
    // Every byte takes two digits and a blank; the narrowest bytes fit most.
    const int narrowestByte = qMax(1, 2 * narrowestDigit + metrics.horizontalAdvance(QLatin1Char(' ')));
    return (qMax(0, width) / narrowestByte + 2) * 3;
}

void HexCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int fit = charactersThatFit(option->fontMetrics, option->rect.width());
    if (option->text.size() > fit)
        option->text.truncate(fit);
}
