#pragma once

#include "core/regional.h"
#include "profile/profilefamily.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// What profile.json says about a profile.
struct ProfileManifest {
    static constexpr int CurrentFormatVersion = 1;

    int formatVersion = CurrentFormatVersion;
    QString programVersion;
    // Serial number of the register the profile was read from (may be empty).
    QString serialNumber;
    QDateTime created;
    // The separators the number cells use. In a loaded profile these are the
    // reading program's separators: the cells have been converted to them.
    Regional separators;
    // Rows of the logo in use in the register (0..198).
    int logoHeight = 0;
    // A backup's knowledge: per family (by its profile name), the records
    // (0: the first line of its file, the first logo row) the register was
    // known to hold. A family of a backup may list none; a profile that is
    // no backup has no entry at all.
    QMap<QString, QList<int>> knownRecords;
};

// The register's two passwords as the password fields hold them.
struct ProfilePasswords {
    QString service;
    QString report;
    bool operator==(const ProfilePasswords &o) const { return service == o.service && report == o.report; }
};

// One prepared setup of a register, every family as the program's tables
// hold it: text cells, numbers in the decimal separator of the manifest. A
// family that is not part of the profile is empty (std::nullopt).
//
// Rows hold the cells of the table columns, column 0 first:
// - header lines: the 8 line texts;
// - tax rates: 9 rows of label, rate (the rate as the table shows it,
//   "**,**" for no rate);
// - departments: 8 rows of number, name, price, group, tax, turnover;
// - articles: 4000 rows of number, name, barcode, department, price, tax,
//   quantity, group, sold, turnover;
// - groups: 13 rows of number (0..12), name, revenue share;
// - operators: 25 rows of number (1..25), name, password;
// - logo: the picture, 216 x 198, black dots on white;
// - passwords: the service and the report password.
// The turnover and sold columns of articles and departments travel because
// their files are exactly the program's article and department files; the
// group turnover and the operator amounts are never sent, so a profile does
// not keep them.
struct RegisterProfile {
    ProfileManifest manifest;
    std::optional<QStringList> headerLines;
    std::optional<QList<QStringList>> taxRates;
    std::optional<QList<QStringList>> departments;
    std::optional<QList<QStringList>> articles;
    std::optional<QList<QStringList>> groups;
    std::optional<QList<QStringList>> operators;
    std::optional<QImage> logo;
    std::optional<ProfilePasswords> passwords;
    // Families added to the catalogue: rows of text cells, one per record.
    QMap<FamilyId, QList<QStringList>> otherTables;

    // The families this profile holds.
    ProfileFamilies families() const;
};
