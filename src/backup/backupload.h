#pragma once

#include "profile/profileerror.h"

#include <QString>

class RegisterSession;

// Puts a backup's known records into the session's tables as a profile load
// would; the records the backup does not know stay as the tables have them,
// so a changes-only write then sends back exactly what the register held.
namespace BackupLoad {

bool apply(const QString &folder, RegisterSession &session, ProfileError *error);

} // namespace BackupLoad
