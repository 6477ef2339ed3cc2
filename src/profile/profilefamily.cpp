#include "profile/profilefamily.h"

#include <QStringList>

namespace ProfileFamilyNames {

const QList<ProfileFamily> &all()
{
    static const QList<ProfileFamily> families{ProfileFamily::Header,   ProfileFamily::Taxes,
                                               ProfileFamily::Departments, ProfileFamily::Articles,
                                               ProfileFamily::Groups,   ProfileFamily::Operators,
                                               ProfileFamily::Logo,     ProfileFamily::Passwords};
    return families;
}

ProfileFamilies allFamilies()
{
    ProfileFamilies result;
    for (ProfileFamily f : all())
        result |= f;
    return result;
}

ProfileFamilies withoutSecrets() { return allFamilies() & ~ProfileFamilies(ProfileFamily::Passwords); }

QString name(ProfileFamily family)
{
    switch (family) {
    case ProfileFamily::Header: return QStringLiteral("header");
    case ProfileFamily::Taxes: return QStringLiteral("taxes");
    case ProfileFamily::Departments: return QStringLiteral("departments");
    case ProfileFamily::Articles: return QStringLiteral("articles");
    case ProfileFamily::Groups: return QStringLiteral("groups");
    case ProfileFamily::Operators: return QStringLiteral("operators");
    case ProfileFamily::Logo: return QStringLiteral("logo");
    case ProfileFamily::Passwords: return QStringLiteral("passwords");
    }
    return QString();
}

bool fromName(const QString &text, ProfileFamily *family)
{
    for (ProfileFamily f : all()) {
        if (name(f) == text) {
            *family = f;
            return true;
        }
    }
    return false;
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

QString toList(ProfileFamilies families)
{
    QStringList names;
    for (ProfileFamily f : all())
        if (families.testFlag(f))
            names << name(f);
    return names.join(QLatin1Char(','));
}

} // namespace ProfileFamilyNames
