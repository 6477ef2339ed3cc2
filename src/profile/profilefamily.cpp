#include "profile/profilefamily.h"

namespace ProfileFamilyNames {

QList<ProfileFamily> all() { return FamilyCatalogue::ids(); }

ProfileFamilies allFamilies() { return FamilyCatalogue::everyFamily(); }

ProfileFamilies withoutSecrets() { return FamilyCatalogue::withoutSecrets(); }

QString name(ProfileFamily family) { return FamilyCatalogue::key(family); }

bool fromName(const QString &text, ProfileFamily *family)
{
    const FamilyDescription *d = FamilyCatalogue::find(text);
    if (!d)
        return false;
    *family = d->id;
    return true;
}

bool parseList(const QString &list, ProfileFamilies *families, QString *error)
{
    ProfileFamilies result;
    for (const QString &entry : list.split(QLatin1Char(','))) {
        ProfileFamily family;
        if (!fromName(entry.trimmed(), &family)) {
            *error = QStringLiteral("Непозната група параметара „%1“. Могуће су: %2.")
                         .arg(entry.trimmed(), toList(allFamilies()));
            return false;
        }
        result |= family;
    }
    *families = result;
    return true;
}

QString toList(ProfileFamilies families) { return FamilyCatalogue::keyList(families); }

} // namespace ProfileFamilyNames
