#pragma once

#include "protocol/fields.h"

#include <QByteArray>
#include <array>
#include <cstdint>

// The frame shared by requests and replies:
//   AA 01 11 | serial (3) | sequence | command | N | data (N) | CRC1 | CRC2 | 0D
// N + 12 bytes in all.
namespace Frame {

constexpr int BufferSize = 260;
constexpr int HeaderSize = 9;
constexpr int Overhead = 12;
// The longest data part a 260-byte buffer can hold.
constexpr int MaxData = BufferSize - Overhead;
constexpr std::uint8_t StartByte = 0xAA;
constexpr std::uint8_t Trailer = 0x0D;
constexpr int CommandOffset = 7;
constexpr int LengthOffset = 8;
constexpr int DataOffset = 9;

using Buffer = std::array<std::uint8_t, BufferSize>;

// 8-bit sum and 8-bit exclusive-or of bytes 0..lastIndex; 0 when lastIndex < 0.
std::uint8_t crc1(const std::uint8_t *bytes, int lastIndex);
std::uint8_t crc2(const std::uint8_t *bytes, int lastIndex);

// True when a whole frame's CRC1 and CRC2 are those of its bytes 0..8+N
// (false for bytes too short to hold them).
bool checksumsRight(const QByteArray &frame);

// Clears the whole buffer and builds a request in it. The sequence byte is the
// low 8 bits of the counter. Data beyond MaxData bytes is not taken. Returns
// the frame length N + 12.
int buildRequest(Buffer &buffer, const Fields::SerialBytes &serial, int sequenceCounter,
                 std::uint8_t command, const QByteArray &data);

// Index of the last non-zero byte among bytes 0..250, plus 1 (0 if none).
int repeatLength(const Buffer &buffer);

// The same layout as a standalone byte array (replies of the simulator, tests).
QByteArray build(const Fields::SerialBytes &serial, std::uint8_t sequenceByte, std::uint8_t command,
                 const QByteArray &data);

} // namespace Frame
