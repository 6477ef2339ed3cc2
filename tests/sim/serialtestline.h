#pragma once

// The tool's end of the line in the tests: a QSerialPort on the register's
// pseudo-terminal, with the line settings of the register port.

#include "support/waituntil.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

#include <functional>
#include <memory>

class SerialTestLine {
public:
    explicit SerialTestLine(const QString &path)
    {
        m_port = std::make_unique<QSerialPort>();
        m_port->setPortName(path);
        m_port->setBaudRate(57600);
        m_port->setDataBits(QSerialPort::Data8);
        m_port->setParity(QSerialPort::NoParity);
        m_port->setStopBits(QSerialPort::OneStop);
        m_port->setFlowControl(QSerialPort::NoFlowControl);
        m_open = m_port->open(QIODevice::ReadWrite);
        if (!m_open) {
            m_error = m_port->errorString();
            return;
        }
        // A pseudo-terminal has no modem lines: "Inappropriate ioctl for device".
        m_port->setDataTerminalReady(false);
        m_port->setRequestToSend(false);
        m_port->clearError();
        QObject::connect(m_port.get(), &QSerialPort::readyRead, [this] {
            const QByteArray got = m_port->readAll();
            if (got.isEmpty())
                return;
            if (m_chunks == 0)
                m_first.start();
            m_lastNs = m_first.nsecsElapsed();
            if (m_chunks == 0)
                m_firstChunkSize = static_cast<int>(got.size());
            ++m_chunks;
            m_received.append(got);
        });
    }

    SerialTestLine(const SerialTestLine &) = delete;
    SerialTestLine &operator=(const SerialTestLine &) = delete;

    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    QSerialPort &port() { return *m_port; }

    bool send(const QByteArray &bytes)
    {
        if (m_port->write(bytes) != bytes.size())
            return false;
        return m_port->waitForBytesWritten(1000) || m_port->bytesToWrite() == 0;
    }

    // Waits, processing events, until `count` bytes have arrived.
    bool waitForBytes(int count, int timeoutMs = 5000)
    {
        return waitUntil([&] { return m_received.size() >= count; }, timeoutMs);
    }

    QByteArray take()
    {
        QByteArray out = m_received;
        m_received.clear();
        m_chunks = 0;
        return out;
    }

    const QByteArray &received() const { return m_received; }
    int chunks() const { return m_chunks; }
    int firstChunkSize() const { return m_firstChunkSize; }
    // Time from the first to the last arrival since the last take().
    double spanSeconds() const { return m_lastNs / 1e9; }

private:
    std::unique_ptr<QSerialPort> m_port;
    bool m_open = false;
    QString m_error;
    QByteArray m_received;
    QElapsedTimer m_first;
    qint64 m_lastNs = 0;
    int m_chunks = 0;
    int m_firstChunkSize = 0;
};
