#pragma once

#include "profile/profileerror.h"
#include "profile/profilefamily.h"
#include "profile/registerprofile.h"

#include <QByteArray>

// profile.json: the manifest and the families written with it.
//
//   { "formatVersion": 1, "programVersion": "3.5", "serialNumber": "123456",
//     "created": "2024-05-01T10:00:00+02:00", "decimalSeparator": ",",
//     "listSeparator": ";", "logoHeight": 198, "families": ["header", ...],
//     "knownRecords": { "articles": "0-11,40" } }   (backups only)
namespace ProfileManifestFile {

extern const QString FileName;

QByteArray write(const ProfileManifest &manifest, ProfileFamilies families);

// Refused when the text is no JSON object, a field is missing or of the wrong
// kind, the format version is unknown or a family name is unknown; the
// message names the field and the line it stands on.
bool read(const QByteArray &bytes, ProfileManifest *manifest, ProfileFamilies *families, ProfileError *error);

} // namespace ProfileManifestFile
