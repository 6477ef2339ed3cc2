#pragma once

#include "core/regional.h"
#include "profile/profileerror.h"
#include "profile/profilefamily.h"
#include "profile/registerprofile.h"

#include <QString>
#include <optional>

// A profile on disk: one folder holding profile.json and one file per family
// (header-lines.csv, tax-rates.csv, departments.csv, articles.csv,
// groups.csv, operators.csv, logo.png, passwords.csv).
namespace ProfileFolder {

// The caption of a line of passwords.csv: record 0 the service password,
// record 1 the report password.
QString passwordCaption(int record);

// The file of a family inside the folder.
QString fileName(ProfileFamily family);

// Writes the chosen families (by default every family the profile holds but
// the passwords) and then profile.json, which lists them; the folder is made
// when missing. Every family is checked before any file is written: a table
// of the wrong size or a cell that is not of its kind refuses the whole
// profile. Each file is replaced atomically; passwords.csv is made readable
// by its owner only. A chosen family that the profile does not hold is refused.
bool write(const QString &folder, const RegisterProfile &profile, std::optional<ProfileFamilies> families,
           ProfileError *error);

// Reads the chosen families (by default every family profile.json lists but
// the passwords), with the separators profile.json names, and gives them in
// the separators of `regional`. Anything damaged refuses the whole profile
// and `profile` is left as it was. A family that is not chosen is absent
// from the result; a chosen family whose file is missing, or that
// profile.json does not list, is damage.
bool read(const QString &folder, const Regional &regional, std::optional<ProfileFamilies> families,
          RegisterProfile *profile, ProfileError *error);

} // namespace ProfileFolder
