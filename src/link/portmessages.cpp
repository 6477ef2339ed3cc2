#include "link/portmessages.h"

#include <cerrno>

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

QString networkFailure(const QString &address, NetworkCause cause)
{
    int osError = EIO;
    QString why;
    QString todo = QStringLiteral("проверите адресу, мрежу и да ли је сервер укључен, па покушајте поново.");
    switch (cause) {
    case NetworkCause::Refused:
        osError = ECONNREFUSED;
        why = QStringLiteral("сервер на тој адреси одбија везу (на том порту нико не слуша).");
        todo = QStringLiteral("проверите број порта и да ли ser2net или уређај прима везе на њему.");
        break;
    case NetworkCause::UnknownHost:
        osError = ENXIO;
        why = QStringLiteral("назив рачунара није познат.");
        todo = QStringLiteral("проверите назив рачунара или упишите његову IP адресу.");
        break;
    case NetworkCause::NoRoute:
        osError = EHOSTUNREACH;
        why = QStringLiteral("до те адресе нема пута кроз мрежу.");
        break;
    case NetworkCause::TimedOut:
        osError = ETIMEDOUT;
        why = QStringLiteral("сервер се није јавио за 3 секунде.");
        break;
    case NetworkCause::BadAddress:
        osError = EINVAL;
        why = QStringLiteral("адреса није облика tcp://РАЧУНАР:ПОРТ или rfc2217://РАЧУНАР:ПОРТ.");
        todo = QStringLiteral("упишите адресу у том облику, на пример tcp://192.168.1.20:4001.");
        break;
    case NetworkCause::Other:
        why = QStringLiteral("мрежа није дозволила везу.");
        break;
    }
    return QStringLiteral("Problem u otvaranju porta (win error code: %1)\nПорт: %2\nУзрок: %3\nШта урадити: %4")
        .arg(osError)
        .arg(address, why, todo);
}

QString settingsRefused(const QString &address, const QString &refused)
{
    return QStringLiteral("Сервер није подесио линију како је тражено; веза се ипак користи.\nПорт: %1\n"
                          "Узрок: %2.\n"
                          "Шта урадити: подесите серијски порт на серверу на 57600 бода, 8 бита, без парности, "
                          "1 стоп бит, без контроле тока.")
        .arg(address, refused);
}

QString connectionLost(const QString &address)
{
    return QStringLiteral("Веза са уређајем је прекинута; порт је затворен.\nПорт: %1\n"
                          "Узрок: сервер је затворио везу или је мрежа прекинута.\n"
                          "Шта урадити: проверите мрежу и сервер, па поново отворите порт.")
        .arg(address);
}

} // namespace PortMessages
