#pragma once

#include <QFlags>
#include <QList>
#include <QString>

// The parameter families a profile can hold, by the names that the command
// line and profile.json use: header, taxes, departments, articles, groups,
// operators, logo, passwords.
enum class ProfileFamily {
    Header = 0x01,
    Taxes = 0x02,
    Departments = 0x04,
    Articles = 0x08,
    Groups = 0x10,
    Operators = 0x20,
    Logo = 0x40,
    Passwords = 0x80,
};
Q_DECLARE_FLAGS(ProfileFamilies, ProfileFamily)
Q_DECLARE_OPERATORS_FOR_FLAGS(ProfileFamilies)

namespace ProfileFamilyNames {

// Every family, in the order of the list above.
const QList<ProfileFamily> &all();
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
