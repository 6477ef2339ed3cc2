#include "session/transferendtext.h"

namespace TransferEndText {

QString forOutcome(const QString &outcome, std::optional<int> record)
{
    const bool known = record.has_value();
    const int number = record.value_or(0);
    const QString at = known ? QStringLiteral(" код записа %1.").arg(number) : QStringLiteral(".");
    const QString after = known ? QStringLiteral(", код записа %1.").arg(number) : QStringLiteral(".");
    if (outcome == QLatin1String("Refused"))
        return known ? QStringLiteral("Унос отказан: грешка у подацима, ред %1.").arg(number)
                     : QStringLiteral("Унос отказан: грешка у подацима.");
    if (outcome == QLatin1String("Cancelled"))
        return QStringLiteral("Пренос прекинут") + at;
    if (outcome == QLatin1String("NoReply"))
        return QStringLiteral("Пренос прекинут: каса не одговара") + after;
    if (outcome == QLatin1String("PortLost"))
        return QStringLiteral("Пренос прекинут: веза са касом је изгубљена") + after;
    if (outcome == QLatin1String("Failed"))
        return QStringLiteral("Пренос прекинут због грешке") + after;
    return QString();
}

} // namespace TransferEndText
