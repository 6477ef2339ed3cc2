#include "cli/differencetext.h"

#include "profile/profiletable.h"
#include "session/recordfields.h"

#include <QJsonValue>
#include <QPair>

namespace DifferenceText {
namespace {

const QPair<ProfileFamily, const char *> TransferNames[] = {
    {ProfileFamily::Header, "headerlines"}, {ProfileFamily::Taxes, "taxrates"},
    {ProfileFamily::Departments, "departments"}, {ProfileFamily::Articles, "articles"},
    {ProfileFamily::Groups, "groups"},       {ProfileFamily::Operators, "operators"},
    {ProfileFamily::Logo, "logo"},           {ProfileFamily::Passwords, "passwords"},
};

// An empty value would leave "у каси ," with nothing to read.
QString shown(const QString &value) { return value.isEmpty() ? QStringLiteral("(празно)") : value; }

} // namespace

QString transferFamily(ProfileFamily family)
{
    for (const auto &n : TransferNames)
        if (n.first == family)
            return QString::fromLatin1(n.second);
    return QString();
}

std::optional<ProfileFamily> profileFamily(const QString &transferFamily)
{
    for (const auto &n : TransferNames)
        if (transferFamily == QLatin1String(n.second))
            return n.first;
    return std::nullopt;
}

int recordNumber(const QString &family, int index)
{
    if (index < 0)
        return -1;
    const std::optional<ProfileFamily> f = profileFamily(family);
    const ProfileTable *table = f ? ProfileTable::of(*f) : nullptr;
    return table ? table->recordNumber(index) : index + 1;
}

QString recordName(const QString &family, int index)
{
    const int number = recordNumber(family, index);
    return number < 0 ? familyTitle(family) : QStringLiteral("%1 %2").arg(familyTitle(family)).arg(number);
}

QString line(const RecordDifference &d)
{
    return QStringLiteral("%1, %2: у каси %3, у профилу %4")
        .arg(recordName(d.family, d.index), d.field, shown(d.held), shown(d.table));
}

QJsonObject json(const RecordDifference &d)
{
    const std::optional<ProfileFamily> f = profileFamily(d.family);
    const int number = recordNumber(d.family, d.index);
    return QJsonObject{{QStringLiteral("family"), f ? ProfileFamilyNames::name(*f) : d.family},
                       {QStringLiteral("title"), familyTitle(d.family)},
                       {QStringLiteral("number"), number < 0 ? QJsonValue() : QJsonValue(number)},
                       {QStringLiteral("field"), d.field},
                       {QStringLiteral("register"), d.held},
                       {QStringLiteral("profile"), d.table}};
}

} // namespace DifferenceText
