// The backups window over backups the session made before its writes: the
// list, loading one into the tables, the folder and the delete.
#include "catalogue/familycatalogue.h"
#include "backup/backupswindow.h"
#include "params/groups/groupfamily.h"
#include "support/backuprig.h"

#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

class Backups : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.opened);
        GroupFamily &groups = rig.session->groups();
        ASSERT_TRUE(rig.runs([&] { groups.BtnGReadClick(); }, "groups read Completed"));
        original = groups.table().cell(1, 1);
        groups.table().setCell(1, 1, QStringLiteral("Прва измена"));
        ASSERT_TRUE(rig.runs([&] { groups.BtnGWriteClick(); }, "groups write Completed"));
        groups.table().setCell(1, 1, QStringLiteral("Друга измена"));
        ASSERT_TRUE(rig.runs([&] { groups.BtnGWriteClick(); }, "groups write Completed"));
        window.setFolderOpener([this](const QString &folder) { opened << folder; });
        window.setDeleteQuestion([](const QString &) { return true; });
        window.showList();
    }
    QTableWidget *table() { return window.findChild<QTableWidget *>("tvBackups"); }
    void click(const char *name) { window.findChild<QPushButton *>(QString::fromLatin1(name))->click(); }

    BackupRig rig;
    BackupsWindow window{*rig.session};
    QString original;
    QStringList opened;
};

TEST_F(Backups, ListsNewestFirstWithTheNewestSelected)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("frmBackups"));
    ASSERT_EQ(table()->rowCount(), 2);
    EXPECT_EQ(table()->item(0, 0)->text(), BackupRig::Serial);
    EXPECT_EQ(table()->item(0, 2)->text(), QStringLiteral("Групе: 13"));
    EXPECT_EQ(table()->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_EQ(window.findChild<QPushButton *>("btnBackupLoad")->text(), QStringLiteral("Учитај у табеле"));
}

TEST_F(Backups, LoadsTheSelectedBackupIntoTheTable)
{
    click("btnBackupLoad"); // the newest: what the register held before the second write
    EXPECT_EQ(rig.session->groups().table().cell(1, 1), QStringLiteral("Прва измена"));
    table()->selectRow(1);
    click("btnBackupLoad");
    EXPECT_EQ(rig.session->groups().table().cell(1, 1), original);
}

TEST_F(Backups, OpensAndDeletesTheSelectedFolder)
{
    const QString newest = window.entries().first().folder;
    click("btnBackupOpenFolder");
    EXPECT_EQ(opened, QStringList{newest});
    click("btnBackupDelete");
    ASSERT_EQ(table()->rowCount(), 1);
    EXPECT_NE(window.entries().first().folder, newest);
    EXPECT_EQ(rig.backups().size(), 1);
}

} // namespace

#include "sync/transfersdialog.h"

#include <QCheckBox>

namespace {

// A write from the transfers dialog: with chkReadBeforeWrite the families
// are read first and the backup holds every record; without, nothing read
// means nothing known.
class ReadBeforeWrite : public ::testing::TestWithParam<bool> {};

TEST_P(ReadBeforeWrite, DecidesWhatTheBackupKnows)
{
    BackupRig rig;
    ASSERT_TRUE(rig.opened);
    TransfersDialog dialog(*rig.session);
    for (const FamilyDescription &family : FamilyCatalogue::all())
        dialog.familyBox(family.key)->setChecked(family.id == FamilyId::Groups);
    auto *readFirst = dialog.findChild<QCheckBox *>(QStringLiteral("chkReadBeforeWrite"));
    ASSERT_NE(readFirst, nullptr);
    EXPECT_EQ(readFirst->text(), QStringLiteral("Прво прочитај и сачувај стање касе"));
    EXPECT_NE(dialog.findChild<QPushButton *>(QStringLiteral("btnBackups")), nullptr);
    readFirst->setChecked(GetParam());
    dialog.run(FamilyRun::Action::Write);
    ASSERT_TRUE(waitUntil([&] { return !dialog.results().isEmpty() && !dialog.run().running(); },
                          BackupRig::Patience));
    ASSERT_EQ(dialog.results().size(), 1);
    EXPECT_EQ(dialog.results()[0].written, 13);
    const QList<BackupEntry> backups = rig.backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(BackupsWindow::knownText(backups[0]), GetParam() ? QStringLiteral("Групе: 13") : QStringLiteral("Групе: 0"));
}

INSTANTIATE_TEST_SUITE_P(Backup, ReadBeforeWrite, ::testing::Bool());

} // namespace
