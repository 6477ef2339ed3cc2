#pragma once

#include <QByteArray>
#include <QString>

// The 19-byte name field of the group and operator records. Up to 18
// characters of name in the device character set, the rest zero; an empty
// name is nineteen 0xFF bytes. The reading side looks at the first 18 bytes.
namespace NameField {

constexpr int Width = 19;
constexpr int TextWidth = 18;

// The name cell without blanks and control characters at both ends.
QString trimmed(const QString &cell);

// The field for a name cell.
QByteArray encode(const QString &cell);

// The name from the field's bytes (only the first 18 count): bytes below
// 0x20 are dropped; nothing left, or a first byte 0xFF, is an empty name.
QString decode(const QByteArray &field);

} // namespace NameField
