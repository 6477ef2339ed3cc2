#pragma once

#include <array>
#include <cstdint>

// The seventeen command codes of the protocol. Each is both a request and the
// code of the reply that answers it.
namespace Command {
constexpr std::uint8_t ReadHeaderLine = 101;
constexpr std::uint8_t WriteHeaderLine = 102;
constexpr std::uint8_t ReadLogoInfo = 103;
constexpr std::uint8_t WriteLogoInfo = 104;
constexpr std::uint8_t ReadTaxRate = 107;
constexpr std::uint8_t WriteTaxRate = 108;
constexpr std::uint8_t ReadDepartment = 111;
constexpr std::uint8_t WriteDepartment = 112;
constexpr std::uint8_t ReadGroup = 113;
constexpr std::uint8_t WriteGroup = 114;
constexpr std::uint8_t ReadArticle = 115;
constexpr std::uint8_t WriteArticle = 116;
constexpr std::uint8_t ReadOperator = 117;
constexpr std::uint8_t WriteOperator = 118;
constexpr std::uint8_t ReadLogoRow = 119;
constexpr std::uint8_t WriteLogoRow = 120;
constexpr std::uint8_t EndDialogue = 121;
} // namespace Command

struct CommandInfo {
    std::uint8_t code;
    const char *name;      // short English name, for the simulator's console trace
    int requestDataLength; // N of the request; the request is N + 12 bytes
    const char *title;     // what the link trace calls it, in Serbian (UTF-8)
};

namespace Commands {

constexpr int Count = 17;

// All codes in the order in which a received frame is tested against them.
const std::array<CommandInfo, Count> &dispatchOrder();

// The entry of a code, or nullptr for a code outside the protocol.
const CommandInfo *find(std::uint8_t code);

} // namespace Commands
