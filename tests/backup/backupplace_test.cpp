// Where backups live, how they are named, listed and thinned out, and the
// record sets their manifests carry.
#include "backup/backupplace.h"
#include "core/filestore.h"
#include "profile/profilemanifestfile.h"
#include "profile/recordranges.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Place : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_oldData); }

    // A backup folder with a manifest knowing `articles` records.
    QString make(const QDateTime &when, int articles = 0)
    {
        QString folder, reason;
        EXPECT_TRUE(BackupPlace::makeFolder(serial, when, &folder, &reason)) << reason.toStdString();
        ProfileManifest manifest;
        manifest.serialNumber = serial;
        manifest.created = when;
        QList<int> known;
        for (int i = 0; i < articles; ++i)
            known << i;
        manifest.knownRecords.insert(QStringLiteral("articles"), known);
        EXPECT_TRUE(FileStore::writeAtomically(QDir(folder).filePath(ProfileManifestFile::FileName),
                                               ProfileManifestFile::write(manifest, {}), &reason));
        return folder;
    }

    QByteArray m_oldData;
    QTemporaryDir data;
    QString serial = QStringLiteral("004512");
    QDateTime noon{QDate(2026, 12, 10), QTime(12, 0, 0)};
};

TEST_F(Place, LivesUnderTheDataHomeBySerialNumber)
{
    EXPECT_EQ(BackupPlace::serialFolder(serial), data.path() + "/vilaron-setup/backups/004512");
    EXPECT_EQ(QFileInfo(make(noon)).fileName(), QStringLiteral("20261210-120000"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(BackupPlace::root(), QDir::homePath() + "/.local/share/vilaron-setup/backups");
}

TEST_F(Place, ASerialNumberThatIsNoFolderNameIsSpelledSafely)
{
    for (const QString &bad : {QStringLiteral(".."), QStringLiteral("a/b"), QString()})
        EXPECT_EQ(QFileInfo(BackupPlace::serialFolder(bad)).dir().path(), BackupPlace::root()) << bad.toStdString();
}

TEST_F(Place, BackupsInTheSameSecondKeepEachOtherAndListNewestFirst)
{
    const QString first = make(noon, 1);
    const QString second = make(noon, 2);
    const QString third = make(noon.addSecs(1), 3);
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("20261210-120000-2"));
    EXPECT_EQ(BackupPlace::folders(serial), (QStringList{third, second, first}));
    const QList<BackupEntry> listed = BackupPlace::list();
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[0].known, (QList<QPair<QString, int>>{{QStringLiteral("articles"), 3}}));
    EXPECT_EQ(listed[2].created, noon);
}

TEST_F(Place, KeepsTheNewestThirtyAndDeletes)
{
    for (int i = 0; i < 33; ++i)
        make(noon.addSecs(i));
    BackupPlace::prune(serial);
    const QStringList kept = BackupPlace::folders(serial);
    ASSERT_EQ(kept.size(), BackupPlace::Kept);
    EXPECT_EQ(QFileInfo(kept.last()).fileName(), QStringLiteral("20261210-120003"));
    QString reason;
    EXPECT_TRUE(BackupPlace::remove(kept.first(), &reason));
    EXPECT_EQ(BackupPlace::list(serial).size(), BackupPlace::Kept - 1);
}

struct Ranges {
    QString text;
    bool valid;
    QList<int> records;
};

class RecordRangeText : public ::testing::TestWithParam<Ranges> {};

TEST_P(RecordRangeText, ReadsAndWritesBack)
{
    QList<int> records{-7};
    EXPECT_EQ(RecordRanges::fromText(GetParam().text, 4000, &records), GetParam().valid);
    if (!GetParam().valid)
        return;
    EXPECT_EQ(records, GetParam().records);
    EXPECT_EQ(RecordRanges::toText(records), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Backup, RecordRangeText,
                         ::testing::Values(Ranges{"", true, {}}, Ranges{"0-3,7", true, {0, 1, 2, 3, 7}},
                                           Ranges{"3999", true, {3999}}, Ranges{"4000", false, {}},
                                           Ranges{"5-2", false, {}}, Ranges{"1,1", false, {}},
                                           Ranges{"-1", false, {}}, Ranges{"1-2-3", false, {}},
                                           Ranges{"x", false, {}}, Ranges{"1,", false, {}}));

} // namespace
