#include "backup/backupswindow.h"

#include "backup/backupload.h"
#include "catalogue/familycatalogue.h"
#include "session/registersession.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

const QString BackupsWindow::Title = QStringLiteral("Резервне копије");

namespace {

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

BackupsWindow::BackupsWindow(RegisterSession &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmBackups"));
    setWindowTitle(Title);
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("tvBackups"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Серијски број"), QStringLiteral("Време"), QStringLiteral("Познати записи")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_load = button("btnBackupLoad", QStringLiteral("Учитај у табеле"), this);
    m_openButton = button("btnBackupOpenFolder", QStringLiteral("Отвори фасциклу"), this);
    m_delete = button("btnBackupDelete", QStringLiteral("Обриши"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_load);
    buttons->addWidget(m_openButton);
    buttons->addStretch();
    buttons->addWidget(m_delete);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(640, 360);
    m_open = [](const QString &folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    m_ask = [this](const QString &folder) {
        return QMessageBox::question(this, Title, QStringLiteral("Обрисати резервну копију %1?").arg(folder))
               == QMessageBox::Yes;
    };
    connect(m_load, &QPushButton::clicked, this, &BackupsWindow::load);
    connect(m_openButton, &QPushButton::clicked, this, &BackupsWindow::openFolder);
    connect(m_delete, &QPushButton::clicked, this, &BackupsWindow::deleteSelected);
}

QString BackupsWindow::knownText(const BackupEntry &entry)
{
    QStringList parts;
    for (const auto &[family, count] : entry.known)
        parts << QStringLiteral("%1: %2").arg(FamilyCatalogue::titleOf(family)).arg(count);
    return parts.join(QStringLiteral(", "));
}

void BackupsWindow::showList()
{
    refresh();
    show();
    raise();
}

void BackupsWindow::refresh()
{
    m_entries = BackupPlace::list();
    m_table->setRowCount(int(m_entries.size()));
    int newest = -1;
    for (int r = 0; r < m_entries.size(); ++r) {
        const BackupEntry &e = m_entries[r];
        m_table->setItem(r, 0, new QTableWidgetItem(e.serial));
        m_table->setItem(r, 1, new QTableWidgetItem(e.created.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))));
        m_table->setItem(r, 2, new QTableWidgetItem(knownText(e)));
        if (newest < 0 || e.created > m_entries[newest].created)
            newest = r;
    }
    m_table->resizeColumnsToContents();
    if (newest >= 0)
        m_table->selectRow(newest);
    for (QPushButton *b : {m_load, m_openButton, m_delete})
        b->setEnabled(newest >= 0);
}

int BackupsWindow::selectedRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void BackupsWindow::load()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    ProfileError error;
    if (!BackupLoad::apply(m_entries[row].folder, m_session, &error)) {
        emit m_session.message(Title, error.text);
        return;
    }
    emit m_session.status(QStringLiteral("Резервна копија учитана из %1").arg(m_entries[row].folder));
}

void BackupsWindow::openFolder()
{
    const int row = selectedRow();
    if (row >= 0)
        m_open(m_entries[row].folder);
}

void BackupsWindow::deleteSelected()
{
    const int row = selectedRow();
    if (row < 0 || !m_ask(m_entries[row].folder))
        return;
    QString reason;
    if (!BackupPlace::remove(m_entries[row].folder, &reason))
        emit m_session.message(Title, reason);
    refresh();
}
