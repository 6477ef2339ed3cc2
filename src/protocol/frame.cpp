#include "protocol/frame.h"

#include <algorithm>

namespace Frame {

std::uint8_t crc1(const std::uint8_t *bytes, int lastIndex)
{
    std::uint8_t sum = 0;
    for (int i = 0; i <= lastIndex; ++i)
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return sum;
}

std::uint8_t crc2(const std::uint8_t *bytes, int lastIndex)
{
    std::uint8_t x = 0;
    for (int i = 0; i <= lastIndex; ++i)
        x ^= bytes[i];
    return x;
}

bool checksumsRight(const QByteArray &frame)
{
    if (frame.size() < Overhead)
        return false;
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(frame.constData());
    const int n = bytes[LengthOffset];
    if (frame.size() < n + Overhead)
        return false;
    return bytes[9 + n] == crc1(bytes, 8 + n) && bytes[10 + n] == crc2(bytes, 8 + n);
}

int buildRequest(Buffer &buffer, const Fields::SerialBytes &serial, int sequenceCounter,
                 std::uint8_t command, const QByteArray &data)
{
    buffer.fill(0);
    const int n = static_cast<int>(std::min<qsizetype>(data.size(), MaxData));
    buffer[0] = StartByte;
    buffer[1] = 0x01;
    buffer[2] = 0x11;
    buffer[3] = serial[0];
    buffer[4] = serial[1];
    buffer[5] = serial[2];
    buffer[6] = static_cast<std::uint8_t>(sequenceCounter & 0xFF);
    buffer[CommandOffset] = command;
    buffer[LengthOffset] = static_cast<std::uint8_t>(n);
    for (int i = 0; i < n; ++i)
        buffer[DataOffset + i] = static_cast<std::uint8_t>(data[i]);
    buffer[9 + n] = crc1(buffer.data(), 8 + n);
    buffer[10 + n] = crc2(buffer.data(), 8 + n);
    buffer[11 + n] = Trailer;
    return n + Overhead;
}

int repeatLength(const Buffer &buffer)
{
    for (int i = 250; i >= 0; --i)
        if (buffer[i] != 0)
            return i + 1;
    return 0;
}

QByteArray build(const Fields::SerialBytes &serial, std::uint8_t sequenceByte, std::uint8_t command,
                 const QByteArray &data)
{
    Buffer buffer;
    const int length = buildRequest(buffer, serial, sequenceByte, command, data);
    return QByteArray(reinterpret_cast<const char *>(buffer.data()), length);
}

} // namespace Frame
