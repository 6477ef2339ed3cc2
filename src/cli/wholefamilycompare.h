#pragma once

#include "profile/registerprofile.h"
#include "session/registersync.h"

#include <QByteArray>
#include <QMap>

class RegisterSession;

// The logo and the passwords against the profile, after their read. They
// travel whole with the record of the logo height, so the register's sync
// does not compare them; the differences are told in its terms all the same.
namespace WholeFamilyCompare {

// `received`: the logo rows the read brought, by row. The read replaced the
// session's picture and password fields; the profile's go back into them.
// The logo gives its height (index -1) and each differing row; the passwords
// each differing one (0 service, 1 report).
QList<RecordDifference> differences(RegisterSession &session, const RegisterProfile &profile, ProfileFamily family,
                                    const QMap<int, QByteArray> &received);

} // namespace WholeFamilyCompare
