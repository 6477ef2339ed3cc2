#pragma once

#include "core/savesteps.h"

#include <memory>

// While it lives, every save of the program fails at one chosen step with a
// chosen system error. The steps before it are the real ones (a failed write
// has really written half of the bytes to the temporary file), so a test
// sees what the program leaves behind on the disk.
class FailingSaves {
public:
    FailingSaves(FileStore::SaveStep step, int systemError) : m_step(step), m_error(systemError)
    {
        FileStore::setSaveStepsFactory([this] {
            ++attempts;
            return std::make_unique<Steps>(m_step, m_error);
        });
    }
    ~FailingSaves() { FileStore::setSaveStepsFactory({}); }
    FailingSaves(const FailingSaves &) = delete;
    FailingSaves &operator=(const FailingSaves &) = delete;

    int attempts = 0;

private:
    class Steps : public FileStore::SaveSteps {
    public:
        Steps(FileStore::SaveStep step, int error) : m_step(step), m_error(error) {}
        bool open(const QString &path) override { return fails(FileStore::SaveStep::Open) ? false : m_real->open(path); }
        bool write(const QByteArray &bytes) override
        {
            if (fails(FileStore::SaveStep::Write)) {
                m_real->write(bytes.left(bytes.size() / 2));
                return false;
            }
            return m_real->write(bytes);
        }
        bool flush() override { return fails(FileStore::SaveStep::Flush) ? false : m_real->flush(); }
        bool commit() override { return fails(FileStore::SaveStep::Commit) ? false : m_real->commit(); }
        int systemError() const override { return m_failed ? m_error : m_real->systemError(); }
        QString errorString() const override
        {
            return m_failed ? QStringLiteral("injected failure") : m_real->errorString();
        }

    private:
        bool fails(FileStore::SaveStep step)
        {
            m_failed = m_failed || step == m_step;
            return step == m_step;
        }
        FileStore::SaveStep m_step;
        int m_error;
        bool m_failed = false;
        std::unique_ptr<FileStore::SaveSteps> m_real = FileStore::makeRealSaveSteps();
    };

    FileStore::SaveStep m_step;
    int m_error;
};
