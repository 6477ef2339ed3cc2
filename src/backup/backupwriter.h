#pragma once

#include <QString>
#include <QStringList>

class RegisterSession;

// Saves what the session knows the register holds for the families about to
// be written (transfer names) as a new backup of the register in use, then
// keeps only the newest backups of its serial number.
namespace BackupWriter {

// False, with the reason, when the backup could not be written (nothing of
// it is left then).
bool write(RegisterSession &session, const QStringList &families, QString *folder, QString *reason);

// Makes every write of the session back up first; a backup that fails
// stops the write before its first request.
void guardWrites(RegisterSession &session);

} // namespace BackupWriter
