#include "params/common/familybox.h"

#include "catalogue/familycatalogue.h"
#include "transfer/parameterfamily.h"

#include <QAbstractButton>
#include <QGroupBox>

namespace {
const char *const FamilyProperty = "vilaronFamily";
const char *const WritesProperty = "vilaronWritesFamily";

template <typename W>
W *tagged(QWidget *root, const char *property, const QString &key)
{
    if (!root || key.isEmpty())
        return nullptr;
    for (W *w : root->findChildren<W *>())
        if (w->property(property).toString() == key)
            return w;
    return nullptr;
}
} // namespace

namespace FamilyBox {

void tag(QWidget *box, const ParameterFamily &family, QAbstractButton *writeButton)
{
    const QString key = FamilyCatalogue::key(family.id());
    box->setProperty(FamilyProperty, key);
    if (writeButton)
        writeButton->setProperty(WritesProperty, key);
}

QGroupBox *find(QWidget *root, const QString &familyKey)
{
    return tagged<QGroupBox>(root, FamilyProperty, familyKey);
}

QAbstractButton *writeButton(QWidget *root, const QString &familyKey)
{
    return tagged<QAbstractButton>(root, WritesProperty, familyKey);
}

} // namespace FamilyBox
