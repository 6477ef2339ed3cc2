#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <functional>
#include <memory>

// The steps of saving one whole file. The program saves through QSaveFile:
// the bytes go to a temporary file beside the target, which replaces the
// target only at commit. Tests put in steps that fail at a chosen point.
namespace FileStore {

enum class SaveStep { Open, Write, Flush, Commit };

class SaveSteps {
public:
    virtual ~SaveSteps() = default;
    virtual bool open(const QString &path) = 0;
    // Gives the file being written these permissions before it holds
    // anything (the secrets of a profile are readable by their owner only).
    virtual bool restrict(QFileDevice::Permissions) { return true; }
    virtual bool write(const QByteArray &bytes) = 0;
    // Everything written is on the disk (an error the system reports only
    // here, such as a full disk, is caught before the target is replaced).
    virtual bool flush() = 0;
    virtual bool commit() = 0;
    // The system error number of the step that failed (0 when none was
    // given) and the system's text for it.
    virtual int systemError() const = 0;
    virtual QString errorString() const = 0;
    // Dropping the steps without a commit leaves the target as it was.
};

std::unique_ptr<SaveSteps> makeRealSaveSteps();

using SaveStepsFactory = std::function<std::unique_ptr<SaveSteps>()>;
// Every save of the program asks this factory; an empty one restores the real steps.
void setSaveStepsFactory(SaveStepsFactory factory);
std::unique_ptr<SaveSteps> makeSaveSteps();

} // namespace FileStore
