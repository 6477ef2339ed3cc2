#pragma once

#include <QHashFunctions>

// One parameter family of the register. The eight the register has are
// named here; a family added to the catalogue at run time takes any other
// value (below 64).
enum class FamilyId : int {
    Header = 0,
    Taxes,
    Departments,
    Articles,
    Groups,
    Operators,
    Logo,
    Passwords,
};

inline size_t qHash(FamilyId id, size_t seed = 0) noexcept { return ::qHash(int(id), seed); }
