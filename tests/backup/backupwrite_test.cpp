// Backups before writes, against the register simulator: what a backup
// holds, loading it back and writing the changes, and a backup that cannot
// be saved stopping the write before any request.
#include "backup/backupload.h"
#include "core/programerror.h"
#include "core/savesteps.h"
#include "params/articles/articlefamily.h"
#include "params/groups/groupfamily.h"
#include "params/passwords/passwordfamily.h"
#include "profile/profilefolder.h"
#include "protocol/commands.h"
#include "session/registersync.h"
#include "support/backuprig.h"
#include "support/failingsaves.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

const QString Articles = QStringLiteral("articles");
const QString Groups = QStringLiteral("groups");

int knownOf(const BackupEntry &entry, const QString &family)
{
    for (const auto &[name, count] : entry.known)
        if (name == family)
            return count;
    return -1;
}

RegisterProfile readBackup(const BackupEntry &entry, RegisterSession &session)
{
    RegisterProfile profile;
    ProfileError error;
    EXPECT_TRUE(ProfileFolder::read(entry.folder, session.regional(), std::nullopt, &profile, &error))
        << error.text.toStdString();
    return profile;
}

TEST(BackupWrite, ReadEditWriteThenLoadTheBackupAndWriteChangesRestoresTheRegister)
{
    BackupRig rig;
    ASSERT_TRUE(rig.opened);
    RegisterSession &s = *rig.session;
    ASSERT_TRUE(rig.runs([&] { s.articles().btnAReadClick(); }, "articles read Completed"));
    ArticleTableModel &table = s.articles().model();
    const QString original = table.cell(4, ArticleTableModel::Name);
    const QString originalPrice = table.cell(9, ArticleTableModel::Price);
    table.setCell(4, ArticleTableModel::Name, QStringLiteral("Промењен"));
    table.setCell(9, ArticleTableModel::Price, QStringLiteral("99,50"));
    ASSERT_TRUE(rig.runs([&] { s.articles().btnAWriteClick(); }, "articles write Completed"));

    const QList<BackupEntry> backups = rig.backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(knownOf(backups[0], "articles"), 4000);
    const RegisterProfile held = readBackup(backups[0], s);
    ASSERT_TRUE(held.articles);
    EXPECT_EQ(held.articles->at(4).value(ArticleTableModel::Name), original);
    EXPECT_EQ(held.articles->at(9).value(ArticleTableModel::Price), originalPrice);

    ProfileError error;
    ASSERT_TRUE(BackupLoad::apply(backups[0].folder, s, &error)) << error.text.toStdString();
    EXPECT_EQ(table.cell(4, ArticleTableModel::Name), original);
    EXPECT_EQ(s.sync().changedRecords(Articles), (QList<int>{4, 9}));
    // The load is one undo step of the table it changed.
    EXPECT_EQ(table.history().undoName(), QStringLiteral("учитавање резервне копије"));
    ASSERT_TRUE(table.history().undo());
    EXPECT_EQ(table.cell(4, ArticleTableModel::Name), QStringLiteral("Промењен"));
    EXPECT_TRUE(s.sync().changedRecords(Articles).isEmpty());
    ASSERT_TRUE(table.history().redo());
    EXPECT_EQ(table.cell(9, ArticleTableModel::Price), originalPrice);
    rig.reg.clearLog();
    ASSERT_TRUE(rig.runs([&] { s.sync().writeChanges(Articles); }, "articles write Completed"));
    EXPECT_EQ(rig.written(Command::WriteArticle), (QList<int>{4, 9}));
    EXPECT_EQ(rig.reg.state().articles[4].name, RegisterState::demo().articles[4].name);
    EXPECT_EQ(rig.reg.state().articles[9].price, RegisterState::demo().articles[9].price);
    EXPECT_EQ(rig.backups().size(), 2); // the restore backed up too
}

TEST(BackupWrite, AWriteWithNothingReadSaysNoRecordWasKnown)
{
    BackupRig rig;
    ASSERT_TRUE(rig.opened);
    ASSERT_TRUE(rig.runs([&] { rig.session->groups().BtnGWriteClick(); }, "groups write Completed"));
    const QList<BackupEntry> backups = rig.backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(knownOf(backups[0], Groups), 0);
    ProfileError error;
    const QString before = rig.session->groups().table().cell(1, 1);
    ASSERT_TRUE(BackupLoad::apply(backups[0].folder, *rig.session, &error)) << error.text.toStdString();
    EXPECT_EQ(rig.session->groups().table().cell(1, 1), before); // nothing known: nothing taken
}

TEST(BackupWrite, KnownPasswordsGoToTheOwnerOnlyFile)
{
    BackupRig rig;
    ASSERT_TRUE(rig.opened);
    PasswordFamily &passwords = rig.session->passwords();
    passwords.BtnLozinkaReadClick();
    ASSERT_TRUE(waitUntil([&] { return !rig.session->driver().isBusy(); }, BackupRig::Patience));
    const QString service = passwords.serviceText();
    passwords.setServiceText(QStringLiteral("4321"));
    passwords.BtnLozinkaWriteClick();
    ASSERT_TRUE(waitUntil([&] { return !rig.session->driver().isBusy(); }, BackupRig::Patience));
    const QList<BackupEntry> backups = rig.backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(knownOf(backups[0], "passwords"), 1);
    RegisterProfile profile;
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::read(backups[0].folder, rig.session->regional(), ProfileFamilies(ProfileFamily::Passwords),
                                    &profile, &error)) << error.text.toStdString();
    EXPECT_EQ(profile.passwords->service, service);
    const QFile::Permissions p = QFile::permissions(QDir(backups[0].folder).filePath("passwords.csv"));
    EXPECT_FALSE(p & (QFile::ReadGroup | QFile::ReadOther));
}

// A backup that cannot be saved: the write sends nothing and says why.
struct Blocked {
    const char *name;
    std::function<std::unique_ptr<FailingSaves>(BackupRig &)> block;
};

class BackupStops : public ::testing::TestWithParam<Blocked> {};

TEST_P(BackupStops, TheWriteBeforeAnyRequest)
{
    BackupRig rig;
    ASSERT_TRUE(rig.opened);
    const std::unique_ptr<FailingSaves> saves = GetParam().block(rig);
    rig.reg.clearLog();
    rig.session->groups().BtnGWriteClick();
    EXPECT_FALSE(rig.session->driver().isBusy());
    EXPECT_TRUE(rig.reg.log().isEmpty());
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_TRUE(rig.messages[0].startsWith(WriteAdmission::RefusedTitle)) << rig.messages[0].toStdString();
    EXPECT_TRUE(rig.messages[0].contains(QStringLiteral("резервну копију"))) << rig.messages[0].toStdString();
    QFile::setPermissions(rig.data.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(rig.backups().isEmpty()); // no half backup is left
}

INSTANTIATE_TEST_SUITE_P(
    Backup, BackupStops,
    ::testing::Values(Blocked{"FullDisk",
                              [](BackupRig &) {
                                  return std::make_unique<FailingSaves>(FileStore::SaveStep::Flush, ENOSPC);
                              }},
                      Blocked{"ReadOnlyDataFolder",
                              [](BackupRig &rig) {
                                  // A file where the backups' folder would go stops
                                  // the system administrator too, whom permissions do not.
                                  QFile blocker(QDir(rig.data.path()).filePath("vilaron-setup"));
                                  blocker.open(QIODevice::WriteOnly);
                                  QFile::setPermissions(rig.data.path(), QFile::ReadOwner | QFile::ExeOwner);
                                  return std::unique_ptr<FailingSaves>();
                              }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// Every family backs up with nothing known (its rows empty), and with its
// table's own records known.
class EveryFamily : public ::testing::TestWithParam<const char *> {};

TEST_P(EveryFamily, BacksUpWhatIsKnownAndSaysHowMuch)
{
    BackupRig rig;
    const QString family = QString::fromLatin1(GetParam());
    QString folder, reason;
    ASSERT_TRUE(BackupWriter::write(*rig.session, {family}, &folder, &reason)) << reason.toStdString();
    ASSERT_EQ(rig.backups().size(), 1);
    ASSERT_EQ(rig.backups()[0].known.size(), 1);
    EXPECT_EQ(rig.backups()[0].known[0].second, 0);
    if (TransferEngine *engine = rig.session->sync().engine(family)) {
        // A start-up table may hold a record it cannot write (an operator
        // without a password): the register's record is then zeros.
        QByteArray wire(256, '\0');
        try {
            wire = engine->rules().writeRequest(0).value_or(wire);
        } catch (const ProgramError &) {
        }
        rig.session->mirror().confirm(family, 0, wire);
        ASSERT_TRUE(BackupWriter::write(*rig.session, {family}, &folder, &reason)) << reason.toStdString();
        EXPECT_EQ(rig.backups()[0].known[0].second, 1);
        ProfileError error;
        EXPECT_TRUE(BackupLoad::apply(folder, *rig.session, &error)) << error.text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Backup, EveryFamily,
                         ::testing::Values("header", "taxes", "departments", "articles", "groups", "operators",
                                           "logo", "passwords"));

} // namespace
