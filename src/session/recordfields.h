#pragma once

#include "core/regional.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One field of a record as a write carries it, in table text.
struct RecordField {
    QString name;
    QString text;
    int column = -1; // the table column it belongs to (-1: none to copy into)
};

// Splits a record's write bytes into its fields, by the family's record
// layout. A family without a field layout gives one field with the bytes.
QList<RecordField> recordFields(const QString &family, const QByteArray &wire, const Regional &regional);

// The name of a family as the windows show it ("Артикли" for "articles").
QString familyTitle(const QString &family);
