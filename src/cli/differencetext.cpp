#include "cli/differencetext.h"

#include "profile/profiletable.h"
#include "catalogue/familycatalogue.h"

#include <QJsonValue>

namespace DifferenceText {
namespace {

// An empty value would leave "у каси ," with nothing to read.
QString shown(const QString &value) { return value.isEmpty() ? QStringLiteral("(празно)") : value; }

} // namespace

int recordNumber(const QString &family, int index)
{
    if (index < 0)
        return -1;
    const FamilyDescription *f = FamilyCatalogue::find(family);
    const ProfileTable *table = f ? ProfileTable::of(f->id) : nullptr;
    return table ? table->recordNumber(index) : index + 1;
}

QString recordName(const QString &family, int index)
{
    const int number = recordNumber(family, index);
    const QString title = FamilyCatalogue::titleOf(family);
    return number < 0 ? title : QStringLiteral("%1 %2").arg(title).arg(number);
}

QString line(const RecordDifference &d)
{
    return QStringLiteral("%1, %2: у каси %3, у профилу %4")
        .arg(recordName(d.family, d.index), d.field, shown(d.held), shown(d.table));
}

QJsonObject json(const RecordDifference &d)
{
    const int number = recordNumber(d.family, d.index);
    return QJsonObject{{QStringLiteral("family"), d.family},
                       {QStringLiteral("title"), FamilyCatalogue::titleOf(d.family)},
                       {QStringLiteral("number"), number < 0 ? QJsonValue() : QJsonValue(number)},
                       {QStringLiteral("field"), d.field},
                       {QStringLiteral("register"), d.held},
                       {QStringLiteral("profile"), d.table}};
}

} // namespace DifferenceText
