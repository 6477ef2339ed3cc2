#pragma once

#include <QString>

class QWidget;

// The save dialog `SD` and the open dialog `OD` shared by the table files.
// Each use starts from the default name of the file type. Tests answer the
// next dialog in advance instead of showing it.
namespace FileDialogs {

// The chosen path, or an empty text when the user cancels.
QString askSavePath(QWidget *parent, const QString &defaultName, const QString &filter,
                    const QString &defaultSuffix = QStringLiteral("CSV"));
QString askOpenPath(QWidget *parent, const QString &defaultName, const QString &filter,
                    const QString &defaultSuffix = QStringLiteral("CSV"));

// The open-picture dialog `OPD`: no default name, no default extension.
QString askOpenPicturePath(QWidget *parent, const QString &filter);

// Test seam: the next dialog returns `path` at once (an empty path cancels).
void answerNext(const QString &path);
// The default name the last dialog was opened with.
QString lastDefaultName();

} // namespace FileDialogs
