#include "params/common/filedialogs.h"

#include <QFileDialog>
#include <optional>

namespace FileDialogs {
namespace {

std::optional<QString> &nextAnswer()
{
    static std::optional<QString> answer;
    return answer;
}

QString &lastName()
{
    static QString name;
    return name;
}

QString ask(QWidget *parent, const char *objectName, QFileDialog::AcceptMode mode, const QString &defaultName,
            const QString &filter, const QString &defaultSuffix)
{
    lastName() = defaultName;
    if (nextAnswer()) {
        const QString answer = *nextAnswer();
        nextAnswer().reset();
        return answer;
    }
    QFileDialog dialog(parent);
    dialog.setObjectName(QString::fromLatin1(objectName));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

QString askSavePath(QWidget *parent, const QString &defaultName, const QString &filter, const QString &defaultSuffix)
{
    return ask(parent, "SD", QFileDialog::AcceptSave, defaultName, filter, defaultSuffix);
}

QString askOpenPath(QWidget *parent, const QString &defaultName, const QString &filter, const QString &defaultSuffix)
{
    return ask(parent, "OD", QFileDialog::AcceptOpen, defaultName, filter, defaultSuffix);
}

QString askOpenPicturePath(QWidget *parent, const QString &filter)
{
    return ask(parent, "OPD", QFileDialog::AcceptOpen, QString(), filter, QString());
}

void answerNext(const QString &path) { nextAnswer() = path; }

QString lastDefaultName() { return lastName(); }

} // namespace FileDialogs
