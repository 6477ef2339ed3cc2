#pragma once

#include "link/portfacts.h"

#include <QList>
#include <QString>
#include <functional>

// The entries of a port-name combo box: "COM1".."COM4" as they are, then
// every other port the system reports, shown with its device path and what
// it is, and the stable links that lead to USB adapters.
struct PortChoice {
    QString text;    // what the list shows
    QString name;    // the port name that picking it puts in force
    QString toolTip; // the whole of it: device, description, links
};

using PortEnumerator = std::function<QList<PortFacts::SystemPort>()>;

namespace PortChoices {
QList<PortChoice> build(const QList<PortFacts::SystemPort> &ports);
// The port name a combo-box text stands for: the name of the entry shown
// with that text, else the text itself (a typed name or path).
QString nameFor(const QList<PortChoice> &choices, const QString &text);
} // namespace PortChoices
