#pragma once

#include "catalogue/familyid.h"

#include <cstdint>

// A set of families, one bit per family id. Reads as the flags it replaces:
// `families & FamilyId::Logo` asks whether the logo is in the set.
class FamilySet {
public:
    constexpr FamilySet() = default;
    constexpr FamilySet(FamilyId id) : m_bits(bit(id)) {}

    constexpr bool testFlag(FamilyId id) const { return (m_bits & bit(id)) != 0; }
    constexpr bool operator&(FamilyId id) const { return testFlag(id); }
    constexpr FamilySet operator&(FamilySet o) const { return fromBits(m_bits & o.m_bits); }
    constexpr FamilySet operator|(FamilySet o) const { return fromBits(m_bits | o.m_bits); }
    constexpr FamilySet operator~() const { return fromBits(~m_bits); }
    FamilySet &operator|=(FamilySet o)
    {
        m_bits |= o.m_bits;
        return *this;
    }
    FamilySet &setFlag(FamilyId id, bool on = true)
    {
        m_bits = on ? (m_bits | bit(id)) : (m_bits & ~bit(id));
        return *this;
    }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr bool operator==(FamilySet o) const { return m_bits == o.m_bits; }
    constexpr bool operator!=(FamilySet o) const { return m_bits != o.m_bits; }

private:
    static constexpr std::uint64_t bit(FamilyId id) { return std::uint64_t(1) << (int(id) & 63); }
    static constexpr FamilySet fromBits(std::uint64_t bits)
    {
        FamilySet s;
        s.m_bits = bits;
        return s;
    }
    std::uint64_t m_bits = 0;
};

constexpr FamilySet operator|(FamilyId a, FamilyId b) { return FamilySet(a) | FamilySet(b); }
