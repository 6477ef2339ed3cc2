#include "params/tablefiles/filestore.h"

#include <QFile>
#include <QSaveFile>
#include <optional>

namespace FileStore {

namespace {
// Files are opened and closed inside one button handler; anything larger
// than this is no table file of the program.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

bool writeWith(const QString &path, const QByteArray &bytes, QString *error,
               std::optional<QFileDevice::Permissions> permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Датотека %1 не може да се направи: %2").arg(path, file.errorString());
        return false;
    }
    // The temporary file that replaces the old one gets its permissions
    // before it holds anything.
    if (permissions && !file.setPermissions(*permissions)) {
        *error = QStringLiteral("Датотека %1 не може да се заштити: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = QStringLiteral("Грешка при упису у датотеку %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = QStringLiteral("Грешка при упису у датотеку %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
} // namespace

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeWith(path, bytes, error, std::nullopt);
}

bool writeOwnerOnly(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeWith(path, bytes, error, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool readAll(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Датотека %1 не може да се отвори: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = QStringLiteral("Датотека %1 је превелика за табелу.").arg(path);
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Грешка при читању датотеке %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace FileStore
