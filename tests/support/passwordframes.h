#pragma once

#include "link/traceformat.h"
#include "protocol/frame.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <ostream>

// The four frames that carry passwords, each with where they sit, for the
// tests of what the trace hides. The passwords are 123456 and 654321 (logo
// and password record) and 987654 (operator 6).
struct PasswordFrame {
    const char *name;
    std::uint8_t command;
    const char *dataHex;
    int passwordAt; // frame offset
    int passwordSize;
    const char *passwordHex; // the password bytes as the trace would show them in the clear

    QByteArray data() const { return QByteArray::fromHex(dataHex); }
    // The frame as register 123456 sends it, sequence 3; with `badChecksum`
    // its CRC1 is one off.
    QByteArray frame(bool badChecksum = false) const
    {
        QByteArray f = Frame::build({0x12, 0x34, 0x56}, 3, command, data());
        if (badChecksum)
            f[f.size() - 3] = static_cast<char>(f[f.size() - 3] + 1);
        return f;
    }
    int crc1At() const { return Frame::DataOffset + static_cast<int>(data().size()); }
    // The offsets that read "••": the password and the two checksums.
    QSet<int> hiddenOffsets() const
    {
        QSet<int> at{crc1At(), crc1At() + 1};
        for (int i = 0; i < passwordSize; ++i)
            at << passwordAt + i;
        return at;
    }
    // The bytes column as the trace shows it with the passwords hidden.
    QString hiddenHex(bool badChecksum = false) const
    {
        QStringList tokens = TraceFormat::hex(frame(badChecksum)).split(QLatin1Char(' '));
        for (int at : hiddenOffsets())
            tokens[at] = TraceFormat::HiddenByte;
        return tokens.join(QLatin1Char(' '));
    }
};

inline std::ostream &operator<<(std::ostream &out, const PasswordFrame &f) { return out << f.name; }

inline const QList<PasswordFrame> &passwordFrames()
{
    static const QList<PasswordFrame> frames = {
        {"LogoRecordReply", 103, "40E20100F1FB0900C6", 9, 8, "40 E2 01 00 F1 FB 09 00"},
        {"LogoRecordWrite", 104, "40E20100F1FB0900C6", 9, 8, "40 E2 01 00 F1 FB 09 00"},
        {"OperatorReply", 117,
         "05" "CEDFC5D0C0D2CED0FFFFFFFFFFFFFFFFFFFFFF" "06120F00"
         "1027000000" "2003000032" "0000000000" "0000000000" "0000000000" "0000000000" "0000000000"
         "0000000000" "0000000000" "0000000000" "0000000000" "0000000000" "0000000000" "0000000000"
         "0000000000" "0500000007",
         29, 4, "06 12 0F 00"},
        {"OperatorWrite", 118, "05" "CEDFC5D0C0D2CED0FFFFFFFFFFFFFFFFFFFFFF" "06120F00", 29, 4, "06 12 0F 00"},
    };
    return frames;
}
