#include "charset/devicecharset.h"

#include <array>

namespace DeviceCharset {
namespace {

struct Pair {
    std::uint8_t device;
    std::uint8_t pc;
};

// Punctuation pairs: the register keeps these in an order of its own.
constexpr Pair punctuationPairs[] = {
    {0x5B, 0x5C}, {0x5C, 0x5D}, {0x5D, 0x5E}, {0x5E, 0x5B}, {0x5F, 0x40}, {0x60, 0xB9},
    {0x7B, 0x7C}, {0x7C, 0x7D}, {0x7D, 0x7E}, {0x7E, 0x7B}, {0x7F, 0x60},
};

// cp1251 code of the capital letter in each register slot 0x80 + i; the small
// letter of slot i sits at register 0xA0 + i. Serbian letters take the slots
// of Й Щ Ъ Ь Ю Я.
constexpr std::uint8_t capitalSlots[32] = {
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xA3, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0x8F, 0x80, 0xDB, 0x8E, 0xDD, 0x8C, 0x8A,
};
constexpr std::uint8_t smallSlots[32] = {
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xBC, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0x9F, 0x90, 0xFB, 0x9E, 0xFD, 0x9C, 0x9A,
};

struct Maps {
    std::array<std::uint8_t, 256> toDevice{};
    std::array<std::uint8_t, 256> toPc{};
    Maps()
    {
        for (int i = 0; i < 256; ++i) {
            toDevice[i] = static_cast<std::uint8_t>(i);
            toPc[i] = static_cast<std::uint8_t>(i);
        }
        auto add = [this](std::uint8_t device, std::uint8_t pc) {
            toDevice[pc] = device;
            toPc[device] = pc;
        };
        for (const Pair &p : punctuationPairs)
            add(p.device, p.pc);
        for (int slot = 0; slot < 32; ++slot) {
            add(static_cast<std::uint8_t>(0x80 + slot), capitalSlots[slot]);
            add(static_cast<std::uint8_t>(0xA0 + slot), smallSlots[slot]);
        }
    }
};

const Maps &maps()
{
    static const Maps instance;
    return instance;
}

QByteArray mapBytes(const QByteArray &in, const std::array<std::uint8_t, 256> &table)
{
    QByteArray out(in.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < in.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<std::uint8_t>(in[i])]);
    return out;
}

} // namespace

std::uint8_t kodirajByte(std::uint8_t pc) { return maps().toDevice[pc]; }
std::uint8_t dekodirajByte(std::uint8_t device) { return maps().toPc[device]; }

QByteArray kodiraj(const QByteArray &pcText) { return mapBytes(pcText, maps().toDevice); }
QByteArray dekodiraj(const QByteArray &deviceText) { return mapBytes(deviceText, maps().toPc); }

} // namespace DeviceCharset
