#include "backup/backupload.h"

#include "core/filestore.h"
#include "params/logo/logofamily.h"
#include "params/logo/logopicture.h"
#include "profile/profilefolder.h"
#include "profile/profilelogo.h"
#include "profile/profilemanifestfile.h"
#include "session/profilebridge.h"
#include "session/registersession.h"

#include <QDir>

namespace BackupLoad {

namespace {

std::optional<QList<QStringList>> *rowsOf(RegisterProfile &profile, ProfileFamily family)
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

// The backup's records where it knows them, the table's everywhere else.
void keepUnknown(RegisterProfile &backup, RegisterProfile &tables, ProfileFamily family, const QList<int> &known)
{
    if (family == ProfileFamily::Header) {
        QStringList lines = *tables.headerLines;
        for (int r : known)
            if (r < lines.size() && r < backup.headerLines->size())
                lines[r] = backup.headerLines->at(r);
        backup.headerLines = lines;
        return;
    }
    if (family == ProfileFamily::Logo) {
        QImage picture = *tables.logo;
        for (int r : known)
            LogoPicture::drawRow(picture, r, LogoPicture::packRow(*backup.logo, r));
        backup.logo = picture;
        return;
    }
    std::optional<QList<QStringList>> *rows = rowsOf(backup, family);
    if (!rows)
        return;
    QList<QStringList> merged = **rowsOf(tables, family);
    for (int r : known)
        if (r < merged.size() && r < (*rows)->size())
            merged[r] = (*rows)->at(r);
    *rows = merged;
}

} // namespace

bool apply(const QString &folder, RegisterSession &session, ProfileError *error)
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
    RegisterProfile backup;
    if (!ProfileFolder::read(folder, session.regional(), listed, &backup, error))
        return false;
    ProfileFamilies chosen;
    for (ProfileFamily family : ProfileFamilyNames::all()) {
        const QList<int> known = manifest.knownRecords.value(ProfileFamilyNames::name(family));
        if ((listed & family) && !known.isEmpty())
            chosen |= family;
    }
    RegisterProfile tables = ProfileBridge::fromSession(session, chosen);
    for (ProfileFamily family : ProfileFamilyNames::all())
        if (chosen & family)
            keepUnknown(backup, tables, family, manifest.knownRecords.value(ProfileFamilyNames::name(family)));
    // The logo height comes with the password record; without it the
    // picture keeps the height the logo has.
    if (!(chosen & ProfileFamily::Passwords))
        backup.manifest.logoHeight = tables.manifest.logoHeight;
    ProfileBridge::apply(backup, session, chosen);
    return true;
}

} // namespace BackupLoad
