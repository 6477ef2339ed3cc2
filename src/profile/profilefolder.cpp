#include "profile/profilefolder.h"

#include "core/filestore.h"
#include "profile/profilelogo.h"
#include "profile/profilemanifestfile.h"
#include "profile/profiletable.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace ProfileFolder {

QString passwordCaption(int record)
{
    return record == 0 ? QStringLiteral("Сервисна лозинка") : QStringLiteral("Лозинка за извештаје");
}

namespace {

// The rows of a family held as a table.
QList<QStringList> rowsOf(const RegisterProfile &profile, ProfileFamily family)
{
    switch (family) {
    case ProfileFamily::Header: {
        QList<QStringList> rows;
        for (const QString &line : *profile.headerLines)
            rows << QStringList{line};
        return rows;
    }
    case ProfileFamily::Taxes: return *profile.taxRates;
    case ProfileFamily::Departments: return *profile.departments;
    case ProfileFamily::Articles: return *profile.articles;
    case ProfileFamily::Groups: return *profile.groups;
    case ProfileFamily::Operators: return *profile.operators;
    case ProfileFamily::Passwords:
        return {{passwordCaption(0), profile.passwords->service}, {passwordCaption(1), profile.passwords->report}};
    case ProfileFamily::Logo: break;
    default: return profile.otherTables.value(family);
    }
    return {};
}

void setRows(RegisterProfile &profile, ProfileFamily family, const QList<QStringList> &rows)
{
    switch (family) {
    case ProfileFamily::Header: {
        QStringList lines;
        for (const QStringList &row : rows)
            lines << row.value(0);
        profile.headerLines = lines;
        break;
    }
    case ProfileFamily::Taxes: profile.taxRates = rows; break;
    case ProfileFamily::Departments: profile.departments = rows; break;
    case ProfileFamily::Articles: profile.articles = rows; break;
    case ProfileFamily::Groups: profile.groups = rows; break;
    case ProfileFamily::Operators: profile.operators = rows; break;
    case ProfileFamily::Passwords: profile.passwords = ProfilePasswords{rows[0].value(1), rows[1].value(1)}; break;
    case ProfileFamily::Logo: break;
    default: profile.otherTables.insert(family, rows); break;
    }
}

ProfileError fileError(const QString &file, const QString &text)
{
    ProfileError error = ProfileError::general(text);
    error.file = file;
    return error;
}

bool readFile(const QDir &dir, const QString &file, QByteArray *bytes, ProfileError *error)
{
    const QString path = dir.filePath(file);
    if (!QFileInfo::exists(path)) {
        *error = ProfileError::damaged(file, 0, QString(), QStringLiteral("датотека недостаје"));
        return false;
    }
    QString text;
    if (!FileStore::readAll(path, bytes, &text)) {
        *error = fileError(file, text);
        return false;
    }
    return true;
}

} // namespace

QString fileName(ProfileFamily family)
{
    if (family == ProfileFamily::Logo)
        return ProfileLogo::FileName;
    return ProfileTable::of(family)->fileName();
}

bool write(const QString &folder, const RegisterProfile &profile, std::optional<ProfileFamilies> families,
           ProfileError *error)
{
    const ProfileFamilies chosen = families.value_or(profile.families() & ProfileFamilyNames::withoutSecrets());
    const ProfileFamilies missing = chosen & ~profile.families();
    if (!missing.isEmpty()) {
        *error = ProfileError::general(
            QStringLiteral("Профил нема параметре „%1“, па не могу да се сниме.").arg(ProfileFamilyNames::toList(missing)));
        return false;
    }
    // Everything is checked and made before the first file is written.
    QMap<ProfileFamily, QByteArray> files;
    for (ProfileFamily family : ProfileFamilyNames::all()) {
        if (!chosen.testFlag(family))
            continue;
        if (family == ProfileFamily::Logo) {
            files.insert(family, ProfileLogo::toPng(*profile.logo));
            continue;
        }
        QByteArray bytes;
        if (!ProfileTable::of(family)->write(rowsOf(profile, family), profile.manifest.separators, &bytes, error))
            return false;
        files.insert(family, bytes);
    }
    if (!QDir().mkpath(folder)) {
        *error = ProfileError::general(QStringLiteral("Фасцикла %1 не може да се направи.").arg(folder));
        return false;
    }
    const QDir dir(folder);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString file = fileName(it.key());
        QString text;
        const bool written = it.key() == ProfileFamily::Passwords
                                 ? FileStore::writeOwnerOnly(dir.filePath(file), it.value(), &text)
                                 : FileStore::writeAtomically(dir.filePath(file), it.value(), &text);
        if (!written) {
            *error = fileError(file, text);
            return false;
        }
    }
    // Written last: it names only the families written with it, so files of
    // an older profile left in the folder are never taken for this one's.
    QString text;
    if (!FileStore::writeAtomically(dir.filePath(ProfileManifestFile::FileName),
                                    ProfileManifestFile::write(profile.manifest, chosen), &text)) {
        *error = fileError(ProfileManifestFile::FileName, text);
        return false;
    }
    return true;
}

bool read(const QString &folder, const Regional &regional, std::optional<ProfileFamilies> families,
          RegisterProfile *profile, ProfileError *error)
{
    const QDir dir(folder);
    QByteArray bytes;
    if (!readFile(dir, ProfileManifestFile::FileName, &bytes, error))
        return false;
    RegisterProfile result;
    ProfileFamilies listed;
    if (!ProfileManifestFile::read(bytes, &result.manifest, &listed, error))
        return false;
    const Regional written = result.manifest.separators;
    const ProfileFamilies chosen = families.value_or(listed & ProfileFamilyNames::withoutSecrets());
    for (ProfileFamily family : ProfileFamilyNames::all()) {
        if (!chosen.testFlag(family))
            continue;
        const QString file = fileName(family);
        if (!readFile(dir, file, &bytes, error))
            return false;
        if (!listed.testFlag(family)) {
            *error = ProfileError::damaged(file, 0, QString(),
                                           QStringLiteral("датотека није део профила (нема је у списку у %1)")
                                               .arg(ProfileManifestFile::FileName));
            return false;
        }
        if (family == ProfileFamily::Logo) {
            QImage picture;
            if (!ProfileLogo::fromFile(bytes, &picture, error))
                return false;
            result.logo = picture;
            continue;
        }
        QList<QStringList> rows;
        if (!ProfileTable::of(family)->read(bytes, written, regional, &rows, error))
            return false;
        setRows(result, family, rows);
    }
    result.manifest.separators = regional;
    *profile = result;
    return true;
}

} // namespace ProfileFolder
