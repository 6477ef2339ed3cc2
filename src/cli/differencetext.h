#pragma once

#include "profile/profilefamily.h"
#include "session/registersync.h"

#include <QJsonObject>
#include <QString>

// How the tool names records and their differences: numbered as the profile
// files number them (article 42 is line 42 of articles.csv, group 0 the first
// line of groups.csv), the families titled as the program's windows title
// them, each field with its value in the register and in the profile.
namespace DifferenceText {

// The number of a record in the profile: its number in the family's file,
// the logo's rows from 1 at the top; -1 for none (the logo height).
int recordNumber(const QString &family, int index);

// "Артикли 42": the family's title and the record's number.
QString recordName(const QString &family, int index);

// "Артикли 42, Цена: у каси 150, у профилу 148,5".
QString line(const RecordDifference &d);

// The same for the JSON summary: family (the profile's name), title, number
// (null for none), field, register, profile.
QJsonObject json(const RecordDifference &d);

} // namespace DifferenceText
