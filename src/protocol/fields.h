#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// Encodings of the fields that travel in the data part of a frame. All
// multi-byte integers are little-endian, least significant byte first.
namespace Fields {

using SerialBytes = std::array<std::uint8_t, 3>;

// Packed serial number from the text of the serial-number field: padded on
// the left with blanks to six characters (only the first six count), each
// character giving the low four bits of its code page 1251 code.
SerialBytes packSerial(const QString &text);

void putU16(QByteArray &buf, int offset, std::uint32_t value);
void putU32(QByteArray &buf, int offset, std::uint32_t value);
std::uint16_t getU16(const QByteArray &buf, int offset);
std::uint32_t getU32(const QByteArray &buf, int offset);
std::int32_t getI32(const QByteArray &buf, int offset);
// Five-byte amount: 4-byte whole part and one byte of hundredths (not limited
// to 99), as a count of hundredths.
qint64 getAmount5(const QByteArray &buf, int offset);

// Bytes outside the array read as 0, so a short frame never reads past its end.
std::uint8_t byteAt(const QByteArray &buf, int offset);

// The nine tax labels А Г Д Ђ Е Ж И J К (the J is the Latin capital letter).
constexpr int TaxLabelCount = 9;
const QStringList &taxLabels();
// The label of a tax index; an index outside 0..8 gives А.
QString taxLabelOrA(int index);
// Position of the label that equals the whole text, or -1.
int taxIndexOfLabel(const QString &text);
// Tax index from the first character of a cell, or -1 when it is no label.
int taxIndexOfFirstChar(const QString &text);

// PC text -> register bytes (code page 1251, then the device character set).
QByteArray encodeText(const QString &text);
// Register bytes -> PC text, every byte taken.
QString decodeText(const QByteArray &deviceBytes);
// A name field: bytes below 32 dropped; first byte 0xFF or nothing left is empty.
QString decodeName(const QByteArray &fieldBytes);

} // namespace Fields
