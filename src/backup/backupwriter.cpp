#include "backup/backupwriter.h"

#include "backup/backupplace.h"
#include "backup/backupsnapshot.h"
#include "profile/profilefolder.h"
#include "session/registersession.h"
#include "session/writeadmission.h"

#include <QDir>

namespace BackupWriter {

bool write(RegisterSession &session, const QStringList &families, QString *folder, QString *reason)
{
    const RegisterProfile profile = BackupSnapshot::take(session, families);
    QString made;
    if (!BackupPlace::makeFolder(profile.manifest.serialNumber, profile.manifest.created, &made, reason))
        return false;
    ProfileError error;
    if (!ProfileFolder::write(made, profile, profile.families(), &error)) {
        // A half-written backup would be taken for a whole one.
        QDir(made).removeRecursively();
        *reason = error.text;
        return false;
    }
    BackupPlace::prune(profile.manifest.serialNumber);
    if (folder)
        *folder = made;
    return true;
}

void guardWrites(RegisterSession &session)
{
    session.writeAdmission().setGuard([&session](const QStringList &families, QString *reason) {
        QString why;
        if (write(session, families, nullptr, &why))
            return true;
        *reason = QStringLiteral("Стање касе није сачувано у резервну копију, па упис није почео.\n%1").arg(why);
        return false;
    });
}

} // namespace BackupWriter
