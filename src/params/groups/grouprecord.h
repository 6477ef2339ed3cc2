#pragma once

#include "params/common/namedrecord.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The group record of commands 113 (read) and 114 (write), as the data part
// of a frame: group number, 19-byte name field, revenue share in hundredths
// of a percent (2 bytes) and, in the read reply only, the turnover as a
// five-byte amount.
namespace GroupRecord {

constexpr int ReplyLength = 27;
constexpr int WriteLength = 22;

// Data part of the write request for a group from its name cell and an
// accepted share (CellText::percent).
QByteArray writeRequest(int group, const QString &name, std::uint16_t share);

// A read reply's record, as the table shows it.
struct Reply : NamedRecord::Reply {
    QString share;
    QString turnover;
};
// Decodes the data part of a 113 reply.
Reply readReply(const QByteArray &data, QChar decimal);

} // namespace GroupRecord
