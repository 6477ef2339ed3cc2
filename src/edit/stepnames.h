#pragma once

#include <QString>

// The names of the undo steps that are not spreadsheet actions, as the
// tool tips of undo and redo show them ("Поништи: исправка").
namespace StepNames {
inline const QString Typed = QStringLiteral("унос у ћелију");
inline const QString Correction = QStringLiteral("исправка");
inline const QString FileLoad = QStringLiteral("читање из фаjла");
inline const QString TerminalImport = QStringLiteral("увоз са терминала");
inline const QString ArticleImport = QStringLiteral("увоз артикала");
inline const QString DepartmentImport = QStringLiteral("увоз одељења");
inline const QString ProfileLoad = QStringLiteral("учитавање профила");
inline const QString BackupLoad = QStringLiteral("учитавање резервне копије");
inline const QString TakenFromRegister = QStringLiteral("преузимање вредности из касе");
inline const QString RegisterRead = QStringLiteral("читање из касе");
} // namespace StepNames
