#include "cli/stoptext.h"

namespace StopText {

QString outcomeWord(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Completed: return QStringLiteral("завршено");
    case TransferOutcome::Refused: return QStringLiteral("заустављено: запис одбијен");
    case TransferOutcome::NoReply: return QStringLiteral("заустављено: каса не одговара");
    case TransferOutcome::PortFailed:
    case TransferOutcome::PortLost: return QStringLiteral("заустављено: порт је отказао");
    case TransferOutcome::Cancelled: return QStringLiteral("заустављено: прекинуто");
    case TransferOutcome::Failed: break;
    }
    return QStringLiteral("заустављено: грешка");
}

QString forStep(TransferOutcome outcome, const QString &where, const QString &detail)
{
    QString what;
    if (outcome == TransferOutcome::NoReply)
        what = QStringLiteral("каса не одговара (%1). Проверите да ли је укључена, кабл и серијски број, па "
                              "покрените команду поново.");
    else if (outcome == TransferOutcome::PortFailed || outcome == TransferOutcome::PortLost)
        what = QStringLiteral("порт је отказао (%1). Проверите кабл и USB адаптер, па покрените команду поново; "
                              "--changes-only шаље само оно што још недостаје.");
    else if (outcome == TransferOutcome::Refused)
        // The write refuses a record before it goes out; those before it are in the register.
        what = QStringLiteral("запис није послат у касу: подаци у њему нису исправни (%1). Исправите запис у "
                              "профилу и покрените команду поново; записи пре њега су уписани.");
    else
        what = QStringLiteral("пренос је стао због грешке (%1). Проверите кабл и порт, па покрените команду "
                              "поново.");
    return QStringLiteral("каса %1: ").arg(where) + what.arg(detail.isEmpty() ? TransferOutcomes::key(outcome) : detail);
}

QString portNotOpened(const QString &registerLabel, const QString &reason)
{
    return QStringLiteral("каса %1: порт се није отворио: %2. Проверите назив порта (vilaron-cli ports их "
                          "набраја), кабл и да порт не користи други програм.")
        .arg(registerLabel, reason);
}

} // namespace StopText
