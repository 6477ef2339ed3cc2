#pragma once

#include "profile/registerprofile.h"

#include <QStringList>

class RegisterSession;

// What the session knows the register holds, for the families about to be
// written (by their transfer names: "articles", "passwords", ...), as a
// profile: the known records with the register's values, every other
// record with empty cells (its fixed cells, the numbers and tax labels,
// as the tables have them), and the manifest listing the known records
// of each family. The logo's unknown rows are white; the passwords are
// in it only when the register's password record was read or written.
namespace BackupSnapshot {

RegisterProfile take(RegisterSession &session, const QStringList &families);

// The profile family of a transfer name, or false.
bool profileFamily(const QString &transfer, ProfileFamily *family);

} // namespace BackupSnapshot
