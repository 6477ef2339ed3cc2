#pragma once

#include <QString>

class QWidget;

// The save dialog `SD` and the open dialog `OD` shared by the table files.
// Each use starts from the default name of the file type, in the user's
// documents folder and then in the folder of the last file chosen in this run
// (never the program's working folder). Tests answer the next dialog in
// advance instead of showing it.
namespace FileDialogs {

// The chosen path, or an empty text when the user cancels. `filter` lists
// the entries in their order, separated by ";;"; `selectedFilter` is the
// entry the dialog starts with (the first when empty).
QString askSavePath(QWidget *parent, const QString &defaultName, const QString &filter,
                    const QString &defaultSuffix = QStringLiteral("CSV"), const QString &selectedFilter = QString());
QString askOpenPath(QWidget *parent, const QString &defaultName, const QString &filter,
                    const QString &defaultSuffix = QStringLiteral("CSV"), const QString &selectedFilter = QString());

// The open-picture dialog `OPD`: no default name, no default extension.
QString askOpenPicturePath(QWidget *parent, const QString &filter);

// A folder (a register profile); `caption` is the dialog's title. The test
// seam answers it like the file dialogs; lastDefaultName() gives the caption.
QString askFolder(QWidget *parent, const QString &caption);

// The folder the next dialog opens in: the last one used in this run, else
// the documents folder, else the home folder.
QString startFolder();
// Back to the start of a run (for tests).
void forgetLastFolder();

// Test seam: the next dialog returns `path` at once (an empty path cancels).
void answerNext(const QString &path);
// The default name, the filter list and the starting filter entry the last
// dialog was opened with.
QString lastDefaultName();
QString lastFilter();
QString lastSelectedFilter();

} // namespace FileDialogs
