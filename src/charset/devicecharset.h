#pragma once

#include <QByteArray>
#include <cstdint>

// The register stores text in its own 8-bit character set. These two maps
// connect it with code page 1251, byte for byte: 75 pairs, identity elsewhere.
namespace DeviceCharset {

// PC (cp1251) byte -> register byte.
std::uint8_t kodirajByte(std::uint8_t pc);
// Register byte -> PC (cp1251) byte.
std::uint8_t dekodirajByte(std::uint8_t device);

// Whole strings; the length never changes.
QByteArray kodiraj(const QByteArray &pcText);
QByteArray dekodiraj(const QByteArray &deviceText);

} // namespace DeviceCharset
