#include "link/portmessages.h"

namespace PortMessages {

QString portShown(const QString &portName, const QString &device)
{
    if (portName.trimmed() == device)
        return device;
    return QStringLiteral("%1 (%2)").arg(portName.trimmed(), device);
}

QString openFailure(const QString &portName, const QString &device, int osError, PortFacts::Cause cause,
                    const std::optional<PortFacts::Holder> &holder)
{
    QString why;
    QString todo;
    switch (cause) {
    case PortFacts::Cause::Missing:
        why = QStringLiteral("уређај не постоји или није прикључен.");
        todo = QStringLiteral("проверите кабл и назив порта.");
        break;
    case PortFacts::Cause::Permission:
        why = QStringLiteral("корисник нема дозволу да користи серијске портове.");
        todo = QStringLiteral("додајте корисника у групу dialout (sudo usermod -aG dialout $USER), "
                              "па се одјавите и поново пријавите.");
        break;
    case PortFacts::Cause::InUse:
        if (holder && !holder->program.isEmpty())
            why = QStringLiteral("порт користи други програм: %1 (PID %2).").arg(holder->program).arg(holder->pid);
        else if (holder)
            why = QStringLiteral("порт користи други програм (PID %1).").arg(holder->pid);
        else
            why = QStringLiteral("порт користи други програм.");
        todo = QStringLiteral("затворите тај програм или изаберите други порт.");
        break;
    case PortFacts::Cause::Other:
        why = QStringLiteral("систем није дозволио отварање порта.");
        todo = QStringLiteral("проверите кабл и уређај, па покушајте поново.");
        break;
    }
    return QStringLiteral("Problem u otvaranju porta (win error code: %1)\nПорт: %2\nУзрок: %3\nШта урадити: %4")
        .arg(osError)
        .arg(portShown(portName, device), why, todo);
}

QString deviceLost(const QString &portName, const QString &device)
{
    return QStringLiteral("Веза са уређајем је прекинута; порт је затворен.\nПорт: %1\n"
                          "Узрок: уређај је искључен или је кабл извучен.\n"
                          "Шта урадити: прикључите уређај, па поново отворите порт.")
        .arg(portShown(portName, device));
}

} // namespace PortMessages
