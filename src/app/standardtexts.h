#pragma once

class QCoreApplication;

// Qt ships no Serbian texts for its own dialogs (file dialogs, print
// preview, message box buttons); the program carries them, built from
// translations/qtbase_sr.ts.
namespace StandardTexts {
// Installs the Serbian texts in `app`; false when they cannot be loaded.
bool install(QCoreApplication &app);
} // namespace StandardTexts
