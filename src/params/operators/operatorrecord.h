#pragma once

#include "params/common/namedrecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// The operator record of commands 117 (read) and 118 (write), as the data
// part of a frame: operator index, 19-byte name field, password as a plain
// 32-bit integer and, in the read reply only, sixteen five-byte amounts.
namespace OperatorRecord {

constexpr int ReplyLength = 104;
constexpr int WriteLength = 24;
constexpr int MaxPasswordLength = 6;

// The outcome of checking one password cell.
struct Password {
    bool accepted = false;
    std::uint32_t value = 0;
};
// More than six characters, or any character that is not a digit 0..9
// (blanks included), is refused. An empty cell throws ConversionError (it is
// no whole number).
Password convertPassword(const QString &text);

// Data part of the write request for an operator from its name cell and an
// accepted password.
QByteArray writeRequest(int index, const QString &name, std::uint32_t password);

// A read reply's record, as the table shows it.
struct Reply : NamedRecord::Reply {
    QString password;
    QStringList amounts; // sixteen texts when complete
};
// Decodes the data part of a 117 reply.
Reply readReply(const QByteArray &data, QChar decimal);

} // namespace OperatorRecord
