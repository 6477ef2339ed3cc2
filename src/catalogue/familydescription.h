#pragma once

#include "catalogue/familyid.h"

#include <QString>
#include <QStringList>

// What the program knows of a family apart from its code: the one name it
// goes by everywhere, the one title a user reads, and how it is compared and
// kept.
struct FamilyDescription {
    FamilyId id = FamilyId::Header;
    // The name in the command line, profile.json and the session's signals.
    QString key;
    // The name in summaries, differences, questions and messages.
    QString title;
    // The file of a profile folder that holds the family.
    QString profileFile;
    // The family's part of the names of controls made per family
    // ("Tax" in chkFamTax).
    QString controlName;
    // How the table numbers record 0 (groups and the logo's rows count from 0).
    int firstRecordNumber = 1;

    // How a write of changes only treats the family.
    enum class Changes {
        Records, // the records that differ from the register's, compared field by field
        Whole,   // the family goes whole (the logo: its rows go with the height)
        None,    // left out (the passwords: no record of their own to compare)
    };
    Changes changes = Changes::Records;
    // Left out of profiles and of "every family" unless asked for by name.
    bool secret = false;

    // For a family the profile format has no layout of its own (one added
    // to the catalogue): its record count and the titles of its text
    // columns, one file line per record.
    int recordCount = 0;
    QStringList profileColumns;

    bool compared() const { return changes == Changes::Records; }
};
