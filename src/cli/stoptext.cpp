#include "cli/stoptext.h"

namespace StopText {

QString outcomeWord(const QString &outcome)
{
    if (outcome == QLatin1String("Completed"))
        return QStringLiteral("завршено");
    if (outcome == QLatin1String("Refused"))
        return QStringLiteral("заустављено: запис одбијен");
    if (outcome == QLatin1String("NoReply"))
        return QStringLiteral("заустављено: каса не одговара");
    if (outcome == QLatin1String("PortFailed"))
        return QStringLiteral("заустављено: порт је отказао");
    if (outcome == QLatin1String("Cancelled"))
        return QStringLiteral("заустављено: прекинуто");
    return QStringLiteral("заустављено: грешка");
}

QString forStep(const QString &outcome, const QString &where, const QString &detail)
{
    QString what;
    if (outcome == QLatin1String("NoReply"))
        what = QStringLiteral("каса не одговара (%1). Проверите да ли је укључена, кабл и серијски број, па "
                              "покрените команду поново.");
    else if (outcome == QLatin1String("PortFailed"))
        what = QStringLiteral("порт је отказао (%1). Проверите кабл и USB адаптер, па покрените команду поново; "
                              "--changes-only шаље само оно што још недостаје.");
    else if (outcome == QLatin1String("Refused"))
        // The write refuses a record before it goes out; those before it are in the register.
        what = QStringLiteral("запис није послат у касу: подаци у њему нису исправни (%1). Исправите запис у "
                              "профилу и покрените команду поново; записи пре њега су уписани.");
    else
        what = QStringLiteral("пренос је стао због грешке (%1). Проверите кабл и порт, па покрените команду "
                              "поново.");
    return QStringLiteral("каса %1: ").arg(where) + what.arg(detail.isEmpty() ? outcome : detail);
}

QString portNotOpened(const QString &registerLabel, const QString &reason)
{
    return QStringLiteral("каса %1: порт се није отворио: %2. Проверите назив порта (vilaron-cli ports их "
                          "набраја), кабл и да порт не користи други програм.")
        .arg(registerLabel, reason);
}

} // namespace StopText
