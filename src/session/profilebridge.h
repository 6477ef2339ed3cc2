#pragma once

#include "profile/profilefamily.h"
#include "profile/registerprofile.h"

class RegisterSession;

// Carries a register profile to and from the tables of a register session,
// cell for cell as the tables hold them (numbers in the session's decimal
// separator).
namespace ProfileBridge {

// The chosen families of the session's tables as a profile. The manifest
// takes the session's separators and the logo height the logo record last
// carried (the picture's height when no record came yet).
RegisterProfile fromSession(RegisterSession &session, ProfileFamilies families);

// Puts every family the profile holds into the session's tables; fixed cells
// (record numbers, tax labels) stay as the tables have them. The logo takes
// the picture's top rows down to the manifest's logo height (one row when it
// is 0, as the register keeps at least one). Families the profile lacks stay
// as they are.
void apply(const RegisterProfile &profile, RegisterSession &session);

// The same, restricted to the chosen families.
void apply(const RegisterProfile &profile, RegisterSession &session, ProfileFamilies families);

// apply() as the technician's own change: one undo step named `stepName`
// in each table it changes (a profile or a backup loaded into the tables).
void applyAsStep(const RegisterProfile &profile, RegisterSession &session, ProfileFamilies families,
                 const QString &stepName);

} // namespace ProfileBridge
