#include "widgets/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

namespace FileDialogs {
namespace {

std::optional<QString> &nextAnswer()
{
    static std::optional<QString> answer;
    return answer;
}

struct LastDialog {
    QString defaultName;
    QString filter;
    QString selectedFilter;
};

LastDialog &last()
{
    static LastDialog dialog;
    return dialog;
}

// The folder of the last file chosen in this run; empty until one is.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

void remember(const QString &path)
{
    if (!path.isEmpty())
        lastFolder() = QFileInfo(path).absolutePath();
}

QString ask(QWidget *parent, const char *objectName, QFileDialog::AcceptMode mode, const QString &defaultName,
            const QString &filter, const QString &defaultSuffix, const QString &selectedFilter = QString())
{
    const QStringList filters = filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    last() = LastDialog{defaultName, filter, selectedFilter.isEmpty() ? filters.value(0) : selectedFilter};
    if (nextAnswer()) {
        const QString answer = *nextAnswer();
        nextAnswer().reset();
        remember(answer);
        return answer;
    }
    QFileDialog dialog(parent);
    dialog.setObjectName(QString::fromLatin1(objectName));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!selectedFilter.isEmpty())
        dialog.selectNameFilter(selectedFilter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setDirectory(startFolder());
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().first();
    remember(chosen);
    return chosen;
}

} // namespace

QString askSavePath(QWidget *parent, const QString &defaultName, const QString &filter, const QString &defaultSuffix,
                    const QString &selectedFilter)
{
    return ask(parent, "SD", QFileDialog::AcceptSave, defaultName, filter, defaultSuffix, selectedFilter);
}

QString askOpenPath(QWidget *parent, const QString &defaultName, const QString &filter, const QString &defaultSuffix,
                    const QString &selectedFilter)
{
    return ask(parent, "OD", QFileDialog::AcceptOpen, defaultName, filter, defaultSuffix, selectedFilter);
}

QString askOpenPicturePath(QWidget *parent, const QString &filter)
{
    return ask(parent, "OPD", QFileDialog::AcceptOpen, QString(), filter, QString());
}

QString askFolder(QWidget *parent, const QString &caption)
{
    last() = LastDialog{caption, QString(), QString()};
    if (nextAnswer()) {
        const QString answer = *nextAnswer();
        nextAnswer().reset();
        return answer;
    }
    const QString chosen = QFileDialog::getExistingDirectory(parent, caption, startFolder());
    if (!chosen.isEmpty())
        lastFolder() = chosen;
    return chosen;
}

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void forgetLastFolder() { lastFolder().clear(); }

void answerNext(const QString &path) { nextAnswer() = path; }

QString lastDefaultName() { return last().defaultName; }
QString lastFilter() { return last().filter; }
QString lastSelectedFilter() { return last().selectedFilter; }

} // namespace FileDialogs
