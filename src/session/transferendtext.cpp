#include "session/transferendtext.h"

namespace TransferEndText {

QString forOutcome(TransferOutcome outcome, std::optional<int> record)
{
    const bool known = record.has_value();
    const int number = record.value_or(0);
    const QString at = known ? QStringLiteral(" код записа %1.").arg(number) : QStringLiteral(".");
    const QString after = known ? QStringLiteral(", код записа %1.").arg(number) : QStringLiteral(".");
    switch (outcome) {
    case TransferOutcome::Refused:
        return known ? QStringLiteral("Унос отказан: грешка у подацима, ред %1.").arg(number)
                     : QStringLiteral("Унос отказан: грешка у подацима.");
    case TransferOutcome::Cancelled:
        return QStringLiteral("Пренос прекинут") + at;
    case TransferOutcome::NoReply:
        return QStringLiteral("Пренос прекинут: каса не одговара") + after;
    case TransferOutcome::PortLost:
        return QStringLiteral("Пренос прекинут: веза са касом је изгубљена") + after;
    case TransferOutcome::Failed:
        return QStringLiteral("Пренос прекинут због грешке") + after;
    case TransferOutcome::Completed:
    case TransferOutcome::PortFailed:
        break;
    }
    return QString();
}

} // namespace TransferEndText
