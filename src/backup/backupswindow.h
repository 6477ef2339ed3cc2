#pragma once

#include "backup/backupplace.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QTableWidget;
class RegisterSession;

// The backups window (frmBackups): every backup per serial number, newest
// first, the newest selected; a backup loads into the tables as a profile
// would, so a changes-only write then restores the register.
class BackupsWindow : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    BackupsWindow(RegisterSession &session, QWidget *parent = nullptr);

    // Seams for tests: how a folder is shown, and the question before a delete.
    void setFolderOpener(std::function<void(const QString &folder)> opener) { m_open = std::move(opener); }
    void setDeleteQuestion(std::function<bool(const QString &folder)> ask) { m_ask = std::move(ask); }

    // Lists the backups again and shows the window.
    void showList();
    void refresh();
    const QList<BackupEntry> &entries() const { return m_entries; }
    // The family names and known counts as the table shows them.
    static QString knownText(const BackupEntry &entry);

private:
    int selectedRow() const;
    void load();
    void openFolder();
    void deleteSelected();

    RegisterSession &m_session;
    QTableWidget *m_table;
    QPushButton *m_load;
    QPushButton *m_openButton;
    QPushButton *m_delete;
    QList<BackupEntry> m_entries;
    std::function<void(const QString &)> m_open;
    std::function<bool(const QString &)> m_ask;
};
