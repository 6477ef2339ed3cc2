// The command line's backups against simulated registers: write --backup,
// the list, the restore and its refusal of another register's backup.
#include "clirig.h"

#include "backup/backupplace.h"
#include "protocol/commands.h"
#include "support/failingsaves.h"

#include <cerrno>

#include <QTemporaryDir>

namespace {

const QString Serial = QStringLiteral("004512");

class CliBackup : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        ASSERT_TRUE(shop.isOpen() && other.isOpen());
        // A profile of other groups, from another register, written with a backup first.
        const CliOutcome read = runCli({"read", profile(), registerArg(other, "000001"), "--families", "groups"});
        ASSERT_EQ(read.status, CliRun::Done) << read.err.toStdString();
        const CliOutcome write =
            runCli({"write", profile(), registerArg(shop, Serial), "--families", "groups", "--backup"});
        ASSERT_EQ(write.status, CliRun::Done) << write.err.toStdString();
        ASSERT_NE(shop.state().groups[1].name, original.groups[1].name);
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_oldData); }
    QString profile() const { return QDir(work.path()).filePath("profile"); }
    QString backup() const { return BackupPlace::folders(Serial).value(0); }

    QByteArray m_oldData;
    QTemporaryDir data;
    QTemporaryDir work;
    RegisterState original = RegisterState::demo();
    PtyRegister shop{original};
    PtyRegister other{RegisterState::blank()};
};

TEST_F(CliBackup, WriteWithBackupReadsFirstAndTheListShowsIt)
{
    const CliOutcome listed = runCli({"backups", "--serial", Serial});
    EXPECT_EQ(listed.status, CliRun::Done);
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << listed.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(backup() + "\t" + Serial + "\t")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("\tgroups=13")) << lines[0].toStdString();
}

TEST_F(CliBackup, RestoreWritesTheKnownRecordsBackChangesOnly)
{
    const QString folder = backup();
    shop.clearLog();
    const CliOutcome restored = runCli({"restore", folder, registerArg(shop, Serial)});
    ASSERT_EQ(restored.status, CliRun::Done) << restored.err.toStdString();
    for (int g = 0; g < RegisterState::GroupCount; ++g)
        EXPECT_EQ(shop.state().groups[g].name, original.groups[g].name) << g;
    int differing = 0;
    for (int g = 0; g < RegisterState::GroupCount; ++g)
        differing += RegisterState::blank().groups[g].name != original.groups[g].name ||
                     RegisterState::blank().groups[g].share != original.groups[g].share;
    QList<int> sent;
    for (const auto &h : shop.log())
        if (h.code == Command::WriteGroup && !sent.contains(h.index))
            sent << h.index;
    EXPECT_EQ(sent.size(), differing);
    EXPECT_TRUE(restored.out.contains(QStringLiteral("враћено записа %1").arg(differing))) << restored.out.toStdString();
}

TEST_F(CliBackup, RestoreRefusesAnotherRegistersBackupUnlessAskedTo)
{
    shop.clearLog();
    const CliOutcome refused = runCli({"restore", backup(), registerArg(shop, "999999")});
    EXPECT_EQ(refused.status, CliRun::UsageError);
    EXPECT_TRUE(refused.err.contains("--any-serial")) << refused.err.toStdString();
    EXPECT_TRUE(shop.log().isEmpty());
    const CliOutcome allowed = runCli({"restore", backup(), registerArg(shop, "999999"), "--any-serial"});
    EXPECT_EQ(allowed.status, CliRun::Done) << allowed.err.toStdString();
    EXPECT_EQ(shop.state().groups[1].name, original.groups[1].name);
}

TEST_F(CliBackup, AWriteWhoseBackupCannotBeSavedSendsNothing)
{
    const FailingSaves fullDisk(FileStore::SaveStep::Flush, ENOSPC);
    for (const char *backup : {"", "--backup"}) {
        shop.clearLog();
        QStringList args{"write", profile(), registerArg(shop, Serial), "--families", "groups"};
        if (*backup)
            args << backup;
        const CliOutcome write = runCli(args);
        EXPECT_NE(write.status, CliRun::Done) << backup;
        EXPECT_TRUE(write.err.contains(QStringLiteral("резервн"))) << write.err.toStdString();
        for (const auto &h : shop.log())
            EXPECT_NE(h.code, Command::WriteGroup) << backup;
    }
}

} // namespace
