#pragma once

#include <QSerialPort>
#include <QString>

// The little the serial ports need from the operating system beyond
// QSerialPort: which device a COM label stands for, and the system's error
// number for an opening that failed. Unix systems answer from the device
// itself; elsewhere a portable fallback answers from QSerialPort alone.
namespace PortPlatform {

// The device of the serial port with the label "COM<index + 1>".
QString deviceOfComLabel(int index);

// The operating system's error number for the failed opening of device;
// error is what QSerialPort made of it.
int openingErrorNumber(const QString &device, QSerialPort::SerialPortError error);

} // namespace PortPlatform
