#include "session/transferendtext.h"

namespace TransferEndText {

QString forOutcome(const QString &outcome, int record)
{
    const QString where = QString::number(record);
    if (outcome == QLatin1String("Refused"))
        return QStringLiteral("Унос отказан: грешка у подацима, ред %1.").arg(where);
    if (outcome == QLatin1String("Cancelled"))
        return QStringLiteral("Пренос прекинут код записа %1.").arg(where);
    if (outcome == QLatin1String("NoReply"))
        return QStringLiteral("Пренос прекинут: каса не одговара, код записа %1.").arg(where);
    if (outcome == QLatin1String("PortLost"))
        return QStringLiteral("Пренос прекинут: веза са касом је изгубљена, код записа %1.").arg(where);
    if (outcome == QLatin1String("Failed"))
        return QStringLiteral("Пренос прекинут: грешка у програму, код записа %1.").arg(where);
    return QString();
}

} // namespace TransferEndText
