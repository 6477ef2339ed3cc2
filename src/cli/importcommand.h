#pragma once

#include "core/regional.h"

#include <QStringList>
#include <QTextStream>

// vilaron-cli import FILE PROFILE [--sheet NAME] [--mapping TEMPLATE]
// [--mode replace|number|barcode]: a shop's list (CSV, XLSX, ODS) into the
// articles.csv of a register profile, checked as the import window checks
// it; the profile is made when the folder holds none. Prints the summary and
// the problems; exit status 0, 4 when a value was refused, 2 for a wrong
// call, a file that cannot be read or a damaged profile (nothing written).
namespace ImportCommand {

bool isImport(const QStringList &arguments);
// `arguments`: the whole command line, program name first.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err, const Regional &regional);

} // namespace ImportCommand
