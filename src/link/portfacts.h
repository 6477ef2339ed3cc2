#pragma once

#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <optional>

// What the operating system can tell about serial devices beyond what
// QSerialPort reports: the error number of a failed opening, the program
// that holds a port, the ports present and their stable names. Everything
// that depends on the platform's device files lives here and nowhere else.
namespace PortFacts {

// Why a port did not open, in the terms the user can act on.
enum class Cause { Missing, Permission, InUse, Other };

// A program holding a port, as far as the system can tell.
struct Holder {
    qint64 pid = 0;
    QString program; // empty when the process cannot be looked at
};

// One serial port the system reports.
struct SystemPort {
    QString device;      // "/dev/ttyUSB0"
    QString description; // maker and product of a USB adapter, or the driver's text
    QStringList links;   // stable names that lead to it (/dev/serial/by-id/...)
};

// The device a port name stands for: "COM1".."COM4" are the labels of the
// first four serial devices; anything else is already a device path.
QString deviceFor(const QString &portName);

// The operating system's error number for an opening that failed, found by
// trying the device the way the port layer does.
int openingError(const QString &device, QSerialPort::SerialPortError error);
Cause causeOf(int osError, QSerialPort::SerialPortError error);

// The folders where serial-port lock files are kept (LCK..ttyUSB0).
QStringList lockFolders();
// The program that holds `device` according to a lock file in one of
// `folders`, when there is one and its process still runs.
std::optional<Holder> holderOf(const QString &device, const QStringList &folders = lockFolders());

// The serial ports present now.
QList<SystemPort> systemPorts();

} // namespace PortFacts
