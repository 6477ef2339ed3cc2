#pragma once

#include <QString>

// One field of a record as a write carries it, in table text.
struct RecordField {
    QString name;
    QString text;
    int column = -1; // the table column it belongs to (-1: none to copy into)
};
