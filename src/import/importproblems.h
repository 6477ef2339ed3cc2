#pragma once

#include "import/importplan.h"

#include <QByteArray>

// The problems list as the program's other CSV files are: code page 1251,
// ';' between fields, CR LF, a heading line first.
namespace ImportProblems {

QByteArray csv(const QList<ImportProblem> &problems);
// One line of the command line's list: "ред 7, C (EAN): бар-код ... („12AB“)".
QString line(const ImportProblem &problem);

} // namespace ImportProblems
