#pragma once

#include "catalogue/familycatalogue.h"

#include <QList>
#include <QString>

// The families a profile can hold are the catalogue's, by the keys that the
// command line and profile.json use: header, taxes, departments, articles,
// groups, operators, logo, passwords.
using ProfileFamily = FamilyId;
using ProfileFamilies = FamilySet;

namespace ProfileFamilyNames {

// Every family, in page order.
QList<ProfileFamily> all();
ProfileFamilies allFamilies();
// Every family but the passwords: what is saved and loaded unless asked otherwise.
ProfileFamilies withoutSecrets();

QString name(ProfileFamily family);
// The family of a name, or false for an unknown name.
bool fromName(const QString &name, ProfileFamily *family);

// A comma-separated list such as "header,taxes,logo". An empty entry or an
// unknown name gives false and a message naming it.
bool parseList(const QString &list, ProfileFamilies *families, QString *error);
QString toList(ProfileFamilies families);

} // namespace ProfileFamilyNames
