#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

// Where the read commands carry the record they are about. A request carries
// the index as its first data byte(s); the reply to it carries the same index
// at the same frame offset (or, for the reads that follow the reply, a later
// one). The driver uses this to tell a reply for the
// record asked for from a late reply for another one.
//
// The header-line read (101) is not listed: its reply's index byte is not
// taken as the line's, the line asked for is filled whatever it says.
namespace RecordIndex {

struct Place {
    std::uint8_t command;
    int offset; // frame offset of the index, in the request and in the reply
    int width;  // 1 byte, or 2 bytes least significant first
    // The read asks for the record after the one each reply carried, so a
    // reply for a later record than the one asked for is its answer too.
    bool followsReply;
};

// The place for a command code, or nullptr when its frames carry no index
// that the driver checks.
const Place *find(std::uint8_t command);

// The index a whole frame carries, or nothing when the command has no place
// or the frame is too short to hold it.
std::optional<int> of(const QByteArray &frame);

} // namespace RecordIndex
