#pragma once

#include "link/linkport.h"
#include "link/networkline.h"
#include "link/serialsettings.h"

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

// One serial port of the program (the register port or the scanner port) on
// QSerialPort. Opening applies the fixed line settings; failures come back as
// the system's texts with the operating system's error number. A port name
// "tcp://HOST:PORT" or "rfc2217://HOST:PORT" opens a NetworkLine instead,
// with the same signals.
class SerialLine : public QObject, public LinkPort {
    Q_OBJECT
public:
    explicit SerialLine(SerialSettings settings, QObject *parent = nullptr);
    ~SerialLine() override;

    // The name in force ("COM1" or a device path); applied at the next open.
    void setPortName(const QString &name);
    QString portName() const { return m_portName; }

    // Opens the port with the line settings. On failure returns false and
    // fills *error with "Problem u otvaranju porta (win error code: %d)" and
    // the lines that name the device, the cause and the cure, or with the
    // text of the failing step.
    bool open(QString *error);
    void close();

    bool isOpen() const override;
    bool write(const QByteArray &bytes, QString *error) override;

    // The device a port name stands for: COM1..COM4 are the system's labels
    // for the first four serial devices; anything else is taken as a path.
    static QString deviceFor(const QString &portName);

    QSerialPort &port() { return m_port; }

signals:
    void bytesArrived(const QByteArray &bytes);
    // The device went away while open (a USB adapter pulled out, a hang-up);
    // the port has been closed.
    void disconnected(const QString &reason);
    void openChanged(bool open);
    // A note for the link trace about the line in force (the settings an
    // RFC 2217 server confirmed or refused).
    void lineNote(const QString &note);
    // The RFC 2217 server did not take some of the settings; the line is
    // still used. `text` is the message for the user.
    void settingsRefused(const QString &text);

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    static QString withErrorNumber(const QString &text, int osError);

    SerialSettings m_settings;
    QString m_portName = QStringLiteral("COM1");
    QSerialPort m_port;
    NetworkLine m_net;
    bool m_closingAfterError = false;
};
