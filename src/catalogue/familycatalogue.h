#pragma once

#include "catalogue/familydescription.h"
#include "catalogue/familyset.h"

#include <QList>
#include <QString>

// Every family the program knows, in page order: the register's eight and
// any added at run time. The one place a family's name and title are looked
// up.
namespace FamilyCatalogue {

const QList<FamilyDescription> &all();
QList<FamilyId> ids();
FamilySet everyFamily();
// Every family but the secret ones (the passwords).
FamilySet withoutSecrets();

// nullptr for an id or key no family has.
const FamilyDescription *find(FamilyId id);
const FamilyDescription *find(const QString &key);

// The key and title of a family ("articles", "Артикли"); empty for none.
QString key(FamilyId id);
QString title(FamilyId id);
// The title of a family by its key; the key itself when no family has it.
QString titleOf(const QString &key);

// Adds a family after the others (replacing one with the same id); a family
// known only to a test or a plug-in comes in this way.
void add(const FamilyDescription &description);
// True for the register's own eight families, which the profile format
// knows by name.
bool isRegisterFamily(FamilyId id);
void remove(FamilyId id);

// "header,taxes,logo" for a set, in page order.
QString keyList(FamilySet families);

} // namespace FamilyCatalogue
