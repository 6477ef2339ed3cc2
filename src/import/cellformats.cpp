#include "import/cellformats.h"

#include "core/decimaltext.h"

#include <QDate>

namespace CellFormats {

namespace {
constexpr int Scale = 12;
}

QString percentText(const QString &stored)
{
    ScaledNumber n;
    if (!DecimalText::tryParse(stored, QLatin1Char('.'), Scale, &n) || n.saturated)
        return stored;
    return DecimalText::formatScaled(n.units, Scale - 2, QLatin1Char('.')) + QLatin1Char('%');
}

QString serialDateText(const QString &stored, bool from1904)
{
    ScaledNumber n;
    if (!DecimalText::tryParse(stored, QLatin1Char('.'), 0, &n) || n.saturated || n.negative || n.units > 2958465)
        return stored;
    const QDate day0 = from1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    return day0.addDays(n.units).toString(QStringLiteral("dd.MM.yyyy"));
}

QString isoDateText(const QString &iso)
{
    const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : iso;
}

bool isDateFormat(const QString &code)
{
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == QLatin1Char('[')) {
            ++bracket;
        } else if (c == QLatin1Char(']')) {
            bracket = qMax(0, bracket - 1);
        } else if (bracket == 0) {
            const QChar l = c.toLower();
            if (l == QLatin1Char('d') || l == QLatin1Char('m') || l == QLatin1Char('y'))
                return true;
        }
    }
    return false;
}

} // namespace CellFormats
