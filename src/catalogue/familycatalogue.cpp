#include "catalogue/familycatalogue.h"

#include <QStringList>

#include <algorithm>

namespace {

using Changes = FamilyDescription::Changes;

FamilyDescription describe(FamilyId id, const char *key, const char *control, const char *title, const char *file,
                           Changes changes = Changes::Records, int firstNumber = 1, bool secret = false)
{
    FamilyDescription d;
    d.id = id;
    d.key = QString::fromLatin1(key);
    d.controlName = QString::fromLatin1(control);
    d.title = QString::fromUtf8(title);
    d.profileFile = QString::fromLatin1(file);
    d.changes = changes;
    d.firstRecordNumber = firstNumber;
    d.secret = secret;
    return d;
}

// The register's families, in the order of the main window's pages. The keys
// are those of stored profiles and of scripts calling the command-line tool.
QList<FamilyDescription> &families()
{
    static QList<FamilyDescription> list = {
        describe(FamilyId::Header, "header", "Header", "Заглавље", "header-lines.csv"),
        describe(FamilyId::Taxes, "taxes", "Tax", "Пореске стопе", "tax-rates.csv"),
        describe(FamilyId::Departments, "departments", "Departments", "Одељења", "departments.csv"),
        describe(FamilyId::Articles, "articles", "Articles", "Артикли", "articles.csv"),
        describe(FamilyId::Groups, "groups", "Groups", "Групе", "groups.csv", Changes::Records, 0),
        describe(FamilyId::Operators, "operators", "Operators", "Оператери", "operators.csv"),
        describe(FamilyId::Logo, "logo", "Logo", "Лого", "logo.png", Changes::Whole, 0),
        describe(FamilyId::Passwords, "passwords", "Passwords", "Лозинке", "passwords.csv", Changes::None, 1, true),
    };
    return list;
}

} // namespace

namespace FamilyCatalogue {

const QList<FamilyDescription> &all() { return families(); }

QList<FamilyId> ids()
{
    QList<FamilyId> out;
    for (const FamilyDescription &d : families())
        out << d.id;
    return out;
}

FamilySet everyFamily()
{
    FamilySet set;
    for (const FamilyDescription &d : families())
        set |= d.id;
    return set;
}

FamilySet withoutSecrets()
{
    FamilySet set;
    for (const FamilyDescription &d : families())
        if (!d.secret)
            set |= d.id;
    return set;
}

const FamilyDescription *find(FamilyId id)
{
    for (const FamilyDescription &d : families())
        if (d.id == id)
            return &d;
    return nullptr;
}

const FamilyDescription *find(const QString &key)
{
    for (const FamilyDescription &d : families())
        if (d.key == key)
            return &d;
    return nullptr;
}

QString key(FamilyId id)
{
    const FamilyDescription *d = find(id);
    return d ? d->key : QString();
}

QString title(FamilyId id)
{
    const FamilyDescription *d = find(id);
    return d ? d->title : QString();
}

QString titleOf(const QString &key)
{
    const FamilyDescription *d = find(key);
    return d ? d->title : key;
}

bool isRegisterFamily(FamilyId id) { return int(id) >= int(FamilyId::Header) && int(id) <= int(FamilyId::Passwords); }

void add(const FamilyDescription &description)
{
    remove(description.id);
    families() << description;
}

void remove(FamilyId id)
{
    QList<FamilyDescription> &list = families();
    list.erase(std::remove_if(list.begin(), list.end(), [id](const FamilyDescription &d) { return d.id == id; }),
               list.end());
}

QString keyList(FamilySet set)
{
    QStringList keys;
    for (const FamilyDescription &d : families())
        if (set & d.id)
            keys << d.key;
    return keys.join(QLatin1Char(','));
}

} // namespace FamilyCatalogue
