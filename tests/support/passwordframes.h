#pragma once

#include "link/traceformat.h"
#include "protocol/frame.h"

#include <QList>
#include <QStringList>
#include <ostream>

// The four frames that carry passwords, for the tests of what the trace
// hides: the logo and password record (123456 and 654321) and operator 6
// (987654), from register 123456, sequence 3.
struct PasswordFrame {
    const char *name;
    std::uint8_t command;
    QByteArray data;
    int passwordAt; // frame offset
    int passwordSize;
    const char *passwordHex; // the password bytes in the clear

    // With `badChecksum` its CRC1 is one off.
    QByteArray frame(bool badChecksum = false) const
    {
        QByteArray f = Frame::build({0x12, 0x34, 0x56}, 3, command, data);
        f[crc1At()] = static_cast<char>(f[crc1At()] + (badChecksum ? 1 : 0));
        return f;
    }
    int crc1At() const { return Frame::DataOffset + static_cast<int>(data.size()); }
    // The bytes as the trace shows them hidden: password and checksums "••".
    QString hiddenHex(bool badChecksum = false) const
    {
        QStringList tokens = TraceFormat::hex(frame(badChecksum)).split(QLatin1Char(' '));
        for (int at : {crc1At(), crc1At() + 1})
            tokens[at] = TraceFormat::HiddenByte;
        for (int i = 0; i < passwordSize; ++i)
            tokens[passwordAt + i] = TraceFormat::HiddenByte;
        return tokens.join(QLatin1Char(' '));
    }
};

inline std::ostream &operator<<(std::ostream &out, const PasswordFrame &f) { return out << f.name; }

inline const QList<PasswordFrame> &passwordFrames()
{
    static const QByteArray record = QByteArray::fromHex("40E20100F1FB0900C6");
    static const QByteArray op = QByteArray::fromHex("05CEDFC5D0C0D2CED0") + QByteArray(11, '\xFF')
                                 + QByteArray::fromHex("06120F00");
    static const QList<PasswordFrame> frames = {
        {"LogoRecordReply", 103, record, 9, 8, "40 E2 01 00 F1 FB 09 00"},
        {"LogoRecordWrite", 104, record, 9, 8, "40 E2 01 00 F1 FB 09 00"},
        {"OperatorReply", 117, op + QByteArray::fromHex("1027000000") + QByteArray(75, '\x07'), 29, 4, "06 12 0F 00"},
        {"OperatorWrite", 118, op, 29, 4, "06 12 0F 00"},
    };
    return frames;
}
