#pragma once

// Frames spelled out by the tests themselves, with checksums computed here
// and not by the codec, so that a fault shared by the codec and the register
// cannot pass unnoticed.

#include <QByteArray>
#include <QList>

namespace TestFrames {

inline QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

inline QByteArray withChecksums(QByteArray headerAndData)
{
    unsigned sum = 0;
    unsigned x = 0;
    for (char c : headerAndData) {
        sum += static_cast<unsigned char>(c);
        x ^= static_cast<unsigned char>(c);
    }
    headerAndData.append(static_cast<char>(sum & 0xFF));
    headerAndData.append(static_cast<char>(x & 0xFF));
    headerAndData.append('\x0D');
    return headerAndData;
}

// AA 01 11 | serial | sequence | code | N | data | CRC1 | CRC2 | 0D
inline QByteArray frame(const char *serialHex, int sequence, int code, const QByteArray &data)
{
    QByteArray f = hex("AA 01 11");
    f.append(hex(serialHex));
    f.append(static_cast<char>(sequence));
    f.append(static_cast<char>(code));
    f.append(static_cast<char>(data.size()));
    f.append(data);
    return withChecksums(f);
}

inline QByteArray request(int code, const char *dataHex, int sequence = 1)
{
    return frame("00 01 23", sequence, code, hex(dataHex));
}

// The data part of a frame that is laid out correctly, or a null array.
inline QByteArray dataOf(const QByteArray &f)
{
    if (f.size() < 12 || static_cast<unsigned char>(f[0]) != 0xAA)
        return QByteArray();
    const int n = static_cast<unsigned char>(f[8]);
    if (f.size() != n + 12 || f[n + 11] != '\x0D')
        return QByteArray();
    return f.mid(9, n);
}

inline bool checksumsRight(const QByteArray &f)
{
    return f.size() >= 12 && withChecksums(f.left(f.size() - 3)) == f;
}

// Splits a byte stream into frames by their length byte; bytes before a
// start byte are skipped.
inline QList<QByteArray> splitFrames(QByteArray stream)
{
    QList<QByteArray> frames;
    for (;;) {
        const int start = stream.indexOf('\xAA');
        if (start < 0 || stream.size() - start < 9)
            break;
        const int length = static_cast<unsigned char>(stream[start + 8]) + 12;
        if (stream.size() - start < length)
            break;
        frames.append(stream.mid(start, length));
        stream.remove(0, start + length);
    }
    return frames;
}

} // namespace TestFrames
