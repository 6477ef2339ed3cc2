#include "protocol/recordindex.h"

#include "protocol/commands.h"
#include "protocol/frame.h"

namespace RecordIndex {

namespace {
constexpr Place Places[] = {
    {Command::ReadTaxRate, Frame::DataOffset, 1, true},  {Command::ReadDepartment, Frame::DataOffset, 1, true},
    {Command::ReadGroup, Frame::DataOffset, 1, true},    {Command::ReadArticle, Frame::DataOffset, 2, false},
    {Command::ReadOperator, Frame::DataOffset, 1, true}, {Command::ReadLogoRow, Frame::DataOffset, 1, true},
};
} // namespace

const Place *find(std::uint8_t command)
{
    for (const Place &p : Places)
        if (p.command == command)
            return &p;
    return nullptr;
}

std::optional<int> of(const QByteArray &frame)
{
    if (frame.size() <= Frame::CommandOffset)
        return std::nullopt;
    const Place *place = find(static_cast<std::uint8_t>(frame[Frame::CommandOffset]));
    if (!place)
        return std::nullopt;
    // The index must lie inside the frame's data, not in its checksums.
    const int dataEnd = frame.size() - 3;
    if (place->offset + place->width > dataEnd)
        return std::nullopt;
    int value = 0;
    for (int k = place->width - 1; k >= 0; --k)
        value = value << 8 | static_cast<std::uint8_t>(frame[place->offset + k]);
    return value;
}

} // namespace RecordIndex
