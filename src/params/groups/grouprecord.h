#pragma once

#include "core/regional.h"
#include "params/common/celltext.h"

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
// The largest revenue share accepted, in hundredths of a percent.
constexpr std::uint16_t MaxShare = 10000;

// The outcome of checking one revenue share cell.
using Share = CellText::Percent;
// A text holding the regional separator converts with it and throws
// ConversionError when it does not; any other text converts with the point
// as decimal mark and is refused when it does not. Shares below 0 or above
// 100 are refused in both forms. Digits beyond the hundredths are cut off.
Share convertShare(const QString &text, const Regional &regional);

// Data part of the read request.
QByteArray readRequest(int group);
// Data part of the write request for a group from its name cell and an
// accepted share.
QByteArray writeRequest(int group, const QString &name, std::uint16_t share);

// A read reply's record, as the table shows it.
struct Reply {
    int group = 0;
    bool complete = false; // the data part holds the whole record
    QString name;
    QString share;
    QString turnover;
};
// Decodes the data part of a 113 reply; an empty data part carries no group
// and reads as a number past the last group.
Reply readReply(const QByteArray &data, QChar decimal);

} // namespace GroupRecord
