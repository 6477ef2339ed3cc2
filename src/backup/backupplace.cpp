#include "backup/backupplace.h"

#include "core/filestore.h"
#include "profile/profilemanifestfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace BackupPlace {

namespace {

const QString TimeFormat = QStringLiteral("yyyyMMdd-HHmmss");

// A backup folder's name: the second, and the count within it (1 for the
// plain name).
bool nameParts(const QString &name, QString *second, int *count)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d{1,4}))?$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch())
        return false;
    *second = m.captured(1);
    *count = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
    return true;
}

bool newerFirst(const QString &a, const QString &b)
{
    QString sa, sb;
    int ca = 0, cb = 0;
    nameParts(a, &sa, &ca);
    nameParts(b, &sb, &cb);
    return sa != sb ? sa > sb : ca > cb;
}

std::optional<BackupEntry> entryOf(const QString &folder)
{
    QByteArray bytes;
    QString text;
    if (!FileStore::readAll(QDir(folder).filePath(ProfileManifestFile::FileName), &bytes, &text))
        return std::nullopt;
    ProfileManifest manifest;
    ProfileFamilies families;
    ProfileError error;
    if (!ProfileManifestFile::read(bytes, &manifest, &families, &error))
        return std::nullopt;
    BackupEntry entry;
    entry.folder = folder;
    entry.serial = manifest.serialNumber;
    entry.created = manifest.created;
    for (ProfileFamily family : ProfileFamilyNames::all()) {
        const QString name = ProfileFamilyNames::name(family);
        if (manifest.knownRecords.contains(name))
            entry.known.append({name, int(manifest.knownRecords.value(name).size())});
    }
    return entry;
}

} // namespace

QString root()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("vilaron-setup/backups"));
}

QString serialFolder(const QString &serial)
{
    QString name = serial;
    for (QChar &c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("_");
    return QDir(root()).filePath(name);
}

bool makeFolder(const QString &serial, const QDateTime &when, QString *folder, QString *reason)
{
    const QString parent = serialFolder(serial);
    if (!QDir().mkpath(parent)) {
        *reason = QStringLiteral("фасцикла %1 не може да се направи").arg(parent);
        return false;
    }
    const QString second = when.toString(TimeFormat);
    const QDir dir(parent);
    for (int count = 1; count <= 9999; ++count) {
        const QString name = count == 1 ? second : QStringLiteral("%1-%2").arg(second).arg(count);
        if (dir.exists(name))
            continue;
        // mkdir fails when another backup made the folder first.
        if (dir.mkdir(name)) {
            *folder = dir.filePath(name);
            return true;
        }
        if (!dir.exists(name)) {
            *reason = QStringLiteral("фасцикла %1 не може да се направи").arg(dir.filePath(name));
            return false;
        }
    }
    *reason = QStringLiteral("превише резервних копија у истој секунди");
    return false;
}

QStringList folders(const QString &serial)
{
    const QDir dir(serialFolder(serial));
    QStringList names;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QString second;
        int count = 0;
        if (nameParts(name, &second, &count))
            names << name;
    }
    std::sort(names.begin(), names.end(), newerFirst);
    QStringList out;
    for (const QString &name : names)
        out << dir.filePath(name);
    return out;
}

QList<BackupEntry> list(const QString &serial)
{
    QStringList serialFolders;
    if (!serial.isEmpty())
        serialFolders << serialFolder(serial);
    else
        for (const QFileInfo &info : QDir(root()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            serialFolders << info.absoluteFilePath();
    QList<BackupEntry> out;
    for (const QString &folder : serialFolders)
        for (const QString &backup : folders(QFileInfo(folder).fileName()))
            if (const std::optional<BackupEntry> entry = entryOf(backup))
                out << *entry;
    return out;
}

bool remove(const QString &folder, QString *reason)
{
    if (QDir(folder).removeRecursively())
        return true;
    *reason = QStringLiteral("фасцикла %1 не може да се обрише").arg(folder);
    return false;
}

void prune(const QString &serial)
{
    const QStringList all = folders(serial);
    for (qsizetype i = Kept; i < all.size(); ++i)
        QDir(all[i]).removeRecursively();
}

} // namespace BackupPlace
