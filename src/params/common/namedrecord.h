#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The head the group and operator records share in the data part of a
// frame: the record number (one byte) and a 19-byte name field; the family's
// own fields follow from FieldsAt. The name field holds up to 18 characters
// in the device character set, the rest zero; an empty name is nineteen 0xFF
// bytes. The reading side looks at the first 18 bytes.
namespace NamedRecord {

constexpr int NameWidth = 19;
constexpr int NameTextWidth = 18;
constexpr int FieldsAt = 1 + NameWidth;

// The field for a name cell, without blanks and control characters at both ends.
QByteArray encodeName(const QString &cell);
// The name from the field's bytes (only the first 18 count): bytes below
// 0x20 are dropped; nothing left, or a first byte 0xFF, is an empty name.
QString decodeName(const QByteArray &field);

// A write request's data part: the number, the name field and the family's
// one field, `value` in `size` bytes, low byte first.
QByteArray writeRequest(int number, const QString &name, std::uint32_t value, int size);

// The head of a read reply.
struct Reply {
    int number = 0;
    bool complete = false; // the data part holds the whole record
    QString name;
};
// An empty data part carries no number and reads as 0x100, past every
// record; `complete` says the data part holds `replyLength` bytes.
Reply readReply(const QByteArray &data, int replyLength);

} // namespace NamedRecord
