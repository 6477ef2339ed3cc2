#pragma once

#include "cli/clioptions.h"
#include "core/regional.h"

#include <QTextStream>

// The command line's backups: the list, the restore, and the read and
// backup that `write --backup` makes of every register first.
namespace BackupCommands {

// `backups [--serial NNNNNN]`; gives the exit status.
int list(QTextStream &out, const QString &serial);

// `restore BACKUP --register PORT=SERIAL...`: each register is read, the
// backup's known records are put over what it holds and only the records
// that differ are written (backed up first, as every write). A backup of
// another serial number is refused before anything is sent, unless
// --any-serial. Gives the exit status.
int restore(const CliOptions &options, const Regional &regional, QTextStream &out, QTextStream &err, bool terminal);

// write --backup: reads the families from every register and backs them
// up; gives the registers whose backup was saved (the others are told on
// `err` and make `*status` worse).
QList<RegisterTarget> readAndBackUp(const CliOptions &options, ProfileFamilies families, const Regional &regional,
                                    QTextStream &err, bool terminal, int *status);

// The families by the names the session's transfers use.
QStringList transferNames(ProfileFamilies families);

} // namespace BackupCommands
