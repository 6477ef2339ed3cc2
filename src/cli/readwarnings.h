#pragma once

#include "profile/registerprofile.h"

#include <QStringList>

// What a profile just read from a register holds that a write of the same
// profile would refuse, told at the read rather than at the write.
namespace ReadWarnings {

// An operator password with more digits than a write allows (the register
// may hold any number; the write takes six at most), naming the operator.
QStringList of(const RegisterProfile &profile);

} // namespace ReadWarnings
