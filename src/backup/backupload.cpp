#include "backup/backupload.h"

#include "core/filestore.h"
#include "edit/stepnames.h"
#include "params/logo/logopicture.h"
#include "profile/profilefolder.h"
#include "profile/profilemanifestfile.h"
#include "session/profilebridge.h"
#include "session/registersession.h"

#include <QDir>

namespace BackupLoad {

namespace {

// The rows of a table family (of a profile or of a const profile).
template <typename Profile>
auto rowsOf(Profile &profile, ProfileFamily family) -> decltype(&profile.taxRates)
{
    switch (family) {
    case ProfileFamily::Taxes: return &profile.taxRates;
    case ProfileFamily::Departments: return &profile.departments;
    case ProfileFamily::Articles: return &profile.articles;
    case ProfileFamily::Groups: return &profile.groups;
    case ProfileFamily::Operators: return &profile.operators;
    default: return nullptr;
    }
}

// The backup's records where it knows them, the base's everywhere else.
void keepUnknown(RegisterProfile &base, const RegisterProfile &backup, ProfileFamily family, const QList<int> &known)
{
    if (family == ProfileFamily::Header && base.headerLines && backup.headerLines) {
        for (int r : known)
            if (r < base.headerLines->size() && r < backup.headerLines->size())
                (*base.headerLines)[r] = backup.headerLines->at(r);
        return;
    }
    if (family == ProfileFamily::Logo && base.logo && backup.logo) {
        for (int r : known)
            LogoPicture::drawRow(*base.logo, r, LogoPicture::packRow(*backup.logo, r));
        return;
    }
    if (family == ProfileFamily::Passwords) {
        base.passwords = backup.passwords;
        return;
    }
    std::optional<QList<QStringList>> *rows = rowsOf(base, family);
    const auto *held = rowsOf(backup, family);
    if (!rows || !*rows || !*held)
        return;
    for (int r : known)
        if (r < (*rows)->size() && r < (*held)->size())
            (**rows)[r] = (*held)->at(r);
}

} // namespace

bool read(const QString &folder, const Regional &regional, Backup *backup, ProfileError *error)
{
    QByteArray bytes;
    QString text;
    if (!FileStore::readAll(QDir(folder).filePath(ProfileManifestFile::FileName), &bytes, &text)) {
        *error = ProfileError::general(text);
        return false;
    }
    ProfileManifest manifest;
    ProfileFamilies listed;
    if (!ProfileManifestFile::read(bytes, &manifest, &listed, error))
        return false;
    Backup result;
    if (!ProfileFolder::read(folder, regional, listed, &result.profile, error))
        return false;
    result.profile.manifest.knownRecords = manifest.knownRecords;
    for (ProfileFamily family : ProfileFamilyNames::all())
        if ((listed & family) && !manifest.knownRecords.value(ProfileFamilyNames::name(family)).isEmpty())
            result.known |= family;
    *backup = result;
    return true;
}

RegisterProfile overlay(const Backup &backup, RegisterProfile base)
{
    const QMap<QString, QList<int>> &records = backup.profile.manifest.knownRecords;
    for (ProfileFamily family : ProfileFamilyNames::all())
        if (backup.known & family)
            keepUnknown(base, backup.profile, family, records.value(ProfileFamilyNames::name(family)));
    // The logo height comes with the password record; without it the
    // picture keeps the height the base has.
    if (backup.known & ProfileFamily::Passwords)
        base.manifest.logoHeight = backup.profile.manifest.logoHeight;
    return base;
}

bool apply(const QString &folder, RegisterSession &session, ProfileError *error)
{
    Backup backup;
    if (!read(folder, session.regional(), &backup, error))
        return false;
    ProfileBridge::applyAsStep(overlay(backup, ProfileBridge::fromSession(session, backup.known)), session,
                               backup.known, StepNames::BackupLoad);
    return true;
}

} // namespace BackupLoad
