#include "core/savesteps.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace FileStore {

namespace {

// QSaveFile opened unbuffered: every write reaches the system at once and
// its failure is seen. (Buffered, a small file sits in Qt's buffer until
// commit, and Qt 6.4's commit() reports success although that last flush
// failed, replacing the target with an empty file.)
class QSaveFileSteps : public SaveSteps {
public:
    bool open(const QString &path) override
    {
        m_file.setFileName(path);
        errno = 0;
        return check(m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    }

    bool restrict(QFileDevice::Permissions permissions) override
    {
        errno = 0;
        return check(m_file.setPermissions(permissions));
    }

    bool write(const QByteArray &bytes) override
    {
        qint64 done = 0;
        while (done < bytes.size()) {
            errno = 0;
            const qint64 n = m_file.write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0 || m_file.error() != QFileDevice::NoError)
                return check(false);
            done += n;
        }
        return true;
    }

    bool flush() override
    {
        errno = 0;
        if (!check(m_file.flush() && m_file.error() == QFileDevice::NoError))
            return false;
#ifdef Q_OS_UNIX
        // Space some file systems give out only when the data is written
        // back; fsync reports its lack.
        if (::fsync(m_file.handle()) != 0) {
            m_error = errno;
            m_text = QString::fromLocal8Bit(std::strerror(m_error));
            return false;
        }
#endif
        return true;
    }

    bool commit() override
    {
        errno = 0;
        return check(m_file.commit());
    }

    int systemError() const override { return m_error; }
    QString errorString() const override { return m_text; }

private:
    bool check(bool ok)
    {
        if (!ok) {
            m_error = errno;
            m_text = m_file.errorString();
        }
        return ok;
    }

    QSaveFile m_file;
    int m_error = 0;
    QString m_text;
};

SaveStepsFactory &factory()
{
    static SaveStepsFactory f;
    return f;
}

} // namespace

std::unique_ptr<SaveSteps> makeRealSaveSteps() { return std::make_unique<QSaveFileSteps>(); }

void setSaveStepsFactory(SaveStepsFactory f) { factory() = std::move(f); }

std::unique_ptr<SaveSteps> makeSaveSteps() { return factory() ? factory()() : makeRealSaveSteps(); }

} // namespace FileStore
