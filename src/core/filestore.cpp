#include "core/filestore.h"

#include "core/savesteps.h"
#include "core/systemerrortext.h"

#include <QFile>
#include <cerrno>
#include <optional>

namespace FileStore {

namespace {
// Files are opened and closed inside one button handler; anything larger
// than this is no table file of the program.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
// What is read at a time: the reader never holds a whole large file.
constexpr qint64 ChunkSize = 1024 * 1024;

bool writeWith(const QString &path, const QByteArray &bytes, QString *error,
               std::optional<QFileDevice::Permissions> permissions)
{
    const std::unique_ptr<SaveSteps> steps = makeSaveSteps();
    const auto reason = [&steps] { return SystemErrorText::describe(steps->systemError(), steps->errorString()); };
    if (!steps->open(path)) {
        *error = QStringLiteral("Датотека %1 не може да се направи: %2").arg(path, reason());
        return false;
    }
    // The temporary file that replaces the old one gets its permissions
    // before it holds anything.
    if (permissions && !steps->restrict(*permissions)) {
        *error = QStringLiteral("Датотека %1 не може да се заштити: %2").arg(path, reason());
        return false;
    }
    // The target is replaced only after everything is on the disk; a step
    // that fails drops the temporary file and the target stays as it was.
    if (!steps->write(bytes) || !steps->flush() || !steps->commit()) {
        *error = QStringLiteral("Грешка при упису у датотеку %1: %2").arg(path, reason());
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

namespace {
QString readReason(const QFile &file, int systemError)
{
    return SystemErrorText::describe(systemError, file.errorString());
}
} // namespace

bool readAll(const QString &path, QByteArray *bytes, QString *error)
{
    bytes->clear();
    return readInChunks(path, [bytes](const char *data, qsizetype size) {
        bytes->append(data, size);
        return true;
    }, error);
}

bool readInChunks(const QString &path, const std::function<bool(const char *, qsizetype)> &consume, QString *error)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Датотека %1 не може да се отвори: %2").arg(path, readReason(file, errno));
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = QStringLiteral("Датотека %1 је превелика за табелу.").arg(path);
        return false;
    }
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    for (;;) {
        errno = 0;
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0 || file.error() != QFileDevice::NoError) {
            *error = QStringLiteral("Грешка при читању датотеке %1: %2").arg(path, readReason(file, errno));
            return false;
        }
        if (n == 0)
            return true;
        if (!consume(chunk.constData(), n))
            return true;
    }
}

} // namespace FileStore
