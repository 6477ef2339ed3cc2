#pragma once

#include "link/registerprobe.h"

#include <QString>
#include <functional>

class PortControl;
class QLineEdit;
class QPushButton;
class QWidget;
class SerialLine;

// "Пронађи касу": probes every free serial port for the register whose serial
// number is typed, then shows the ports in "Проналажење касе"; the port
// picked there goes into the register's port field.
namespace FindRegisterLauncher {

void attach(QWidget *mainWindow, QPushButton *button, QLineEdit *serialNumber, PortControl &registerPort,
            SerialLine &scannerLine, RegisterProbe::PortLister ports,
            std::function<void(const QString &, const QString &)> showMessage);

} // namespace FindRegisterLauncher
