#include "app/portchoices.h"

#include <QFileInfo>

namespace PortChoices {
namespace {
const QString Dash = QStringLiteral(" — ");

QString described(const QString &path, const QString &description)
{
    return description.isEmpty() ? path : path + Dash + description;
}
} // namespace

QList<PortChoice> build(const QList<PortFacts::SystemPort> &ports)
{
    QList<PortChoice> choices;
    QStringList covered;
    for (int i = 1; i <= 4; ++i) {
        const QString label = QStringLiteral("COM%1").arg(i);
        const QString device = PortFacts::deviceFor(label);
        QString tip = device;
        for (const PortFacts::SystemPort &port : ports)
            if (port.device == device && !port.description.isEmpty())
                tip = described(device, port.description);
        choices.append({label, label, tip});
        covered << device;
    }
    for (const PortFacts::SystemPort &port : ports) {
        if (covered.contains(port.device))
            continue;
        covered << port.device;
        QString tip = described(port.device, port.description);
        for (const QString &link : port.links)
            tip += QLatin1Char('\n') + link;
        choices.append({described(port.device, port.description), port.device, tip});
        for (const QString &link : port.links)
            choices.append({described(link, port.description), link,
                            link + QStringLiteral("\n→ ") + described(port.device, port.description)});
    }
    return choices;
}

QString nameFor(const QList<PortChoice> &choices, const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const PortChoice &choice : choices)
        if (choice.text == trimmed)
            return choice.name;
    return trimmed;
}

} // namespace PortChoices
