#pragma once

#include "core/regional.h"
#include "profile/profileerror.h"
#include "profile/registerprofile.h"

#include <QString>

class RegisterSession;

// Puts a backup's known records back, as a profile load would; the records
// the backup does not know stay as they were, so a changes-only write then
// sends back exactly what the register held.
namespace BackupLoad {

struct Backup {
    RegisterProfile profile;
    // The families with at least one known record.
    ProfileFamilies known;
};

// Every family the backup holds, passwords included.
bool read(const QString &folder, const Regional &regional, Backup *backup, ProfileError *error);

// `base` (holding every known family) with the backup's known records in it.
RegisterProfile overlay(const Backup &backup, RegisterProfile base);

// Into the session's tables, as one undo step of each table it changes.
bool apply(const QString &folder, RegisterSession &session, ProfileError *error);

} // namespace BackupLoad
