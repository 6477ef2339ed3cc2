#pragma once

#include "profile/profilefamily.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

// What a backup holds, as its profile.json tells it.
struct BackupEntry {
    QString folder;
    QString serial;
    QDateTime created;
    // Per family (by its profile name, in page order): how many of its
    // records the register was known to hold.
    QList<QPair<QString, int>> known;
};

// Where the backups live, shared by the window and vilaron-cli:
// $XDG_DATA_HOME/vilaron-setup/backups/<serial>/<yyyyMMdd-HHmmss>/ (the data
// home is ~/.local/share when the variable is not set). Two backups in the
// same second get the second's name with "-2", "-3", ... added, so neither
// replaces the other; the order of the names is the order they were made in.
namespace BackupPlace {

constexpr int Kept = 30; // per serial number

QString root();
// The folder of one register's backups; a serial number that cannot be a
// folder name ("", "..", a slash) is spelled safely.
QString serialFolder(const QString &serial);

// Makes the new, empty folder of a backup taken at `when`; false with the
// reason when it cannot be made.
bool makeFolder(const QString &serial, const QDateTime &when, QString *folder, QString *reason);

// The backups of one serial number, or of all when `serial` is empty; newest
// first. Folders without a readable profile.json are left out.
QList<BackupEntry> list(const QString &serial = QString());

// The backup folders of one serial number, newest first, by their names.
QStringList folders(const QString &serial);

bool remove(const QString &folder, QString *reason);
// Removes all but the newest `Kept` backups of the serial number.
void prune(const QString &serial);

} // namespace BackupPlace
