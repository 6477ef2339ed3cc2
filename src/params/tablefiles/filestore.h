#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing whole files. A save replaces the file atomically: when
// it fails, the previous file is left as it was.
namespace FileStore {

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);
// As writeAtomically, for a secret: the new file is made readable and
// writable by its owner only before any of its content is written.
bool writeOwnerOnly(const QString &path, const QByteArray &bytes, QString *error);
bool readAll(const QString &path, QByteArray *bytes, QString *error);

} // namespace FileStore
