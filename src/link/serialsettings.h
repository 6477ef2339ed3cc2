#pragma once

#include <QSerialPort>

// Line settings of the two ports: 8N1, no flow control, DTR and RTS off.
struct SerialSettings {
    qint32 baudRate = 57600;
    qint64 readBufferSize = 16384;
    // The driver's output buffer: kept for reference, QSerialPort has no setter.
    qint64 writeBufferSize = 4096;
    int writeTimeoutBaseMs = 1000;
    int writeTimeoutPerByteMs = 100;

    static SerialSettings registerPort() { return SerialSettings{}; }
    static SerialSettings scannerPort()
    {
        SerialSettings s;
        s.baudRate = 9600;
        return s;
    }
    int writeTimeoutMs(qint64 bytes) const
    {
        return writeTimeoutBaseMs + int(qMin<qint64>(bytes, 100000)) * writeTimeoutPerByteMs;
    }
};
