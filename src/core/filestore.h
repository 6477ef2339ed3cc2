#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Reading and writing whole files. A save replaces the file atomically: when
// it fails, the previous file is left as it was. Every file the program
// writes goes through writeAtomically (and so through the save steps that
// tests can make fail). Errors name the file and give the system's reason
// in the user's language.
namespace FileStore {

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);
// As writeAtomically, for a secret: the new file is made readable and
// writable by its owner only before any of its content is written.
bool writeOwnerOnly(const QString &path, const QByteArray &bytes, QString *error);
bool readAll(const QString &path, QByteArray *bytes, QString *error);
// Hands the file to `consume` a piece at a time; `consume` returns false when
// it needs no more (reading stops there and still counts as a success).
bool readInChunks(const QString &path, const std::function<bool(const char *, qsizetype)> &consume, QString *error);

} // namespace FileStore
