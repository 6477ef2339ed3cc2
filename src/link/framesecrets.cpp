#include "link/framesecrets.h"

#include "protocol/commands.h"
#include "protocol/frame.h"

#include <algorithm>

namespace FrameSecrets {

namespace {

struct Range {
    int from; // frame offset
    int size;
};

// The password fields, at their frame offsets: the logo and password record
// starts the data with the service and the report password (4 bytes each);
// the operator record has its password after the index and the 19-byte name.
Range passwordRange(std::uint8_t command)
{
    switch (command) {
    case Command::ReadLogoInfo:
    case Command::WriteLogoInfo:
        return {Frame::DataOffset, 8};
    case Command::ReadOperator:
    case Command::WriteOperator:
        return {Frame::DataOffset + 20, 4};
    default:
        return {0, 0};
    }
}

} // namespace

std::vector<bool> hidden(const QByteArray &bytes)
{
    const int size = static_cast<int>(bytes.size());
    std::vector<bool> flags(static_cast<std::size_t>(size), false);
    if (size <= Frame::LengthOffset || static_cast<std::uint8_t>(bytes[0]) != Frame::StartByte)
        return flags;
    const Range range = passwordRange(static_cast<std::uint8_t>(bytes[Frame::CommandOffset]));
    const int n = static_cast<std::uint8_t>(bytes[Frame::LengthOffset]);
    const bool whole = size == n + Frame::Overhead;
    // In a whole frame the checksums follow the data; a frame cut short or
    // run long may hold a password where its N says it should not.
    const int end = std::min(range.from + range.size, whole ? Frame::DataOffset + n : size);
    bool found = false;
    for (int i = range.from; i < end; ++i) {
        flags[static_cast<std::size_t>(i)] = true;
        found = true;
    }
    const int checksums = Frame::DataOffset + n;
    if (found)
        for (int i = checksums; i < std::min(checksums + 2, size); ++i)
            flags[static_cast<std::size_t>(i)] = true;
    return flags;
}

} // namespace FrameSecrets
