// The file dialogs: answered in advance by tests, and where they open (the
// documents folder first, then the folder of the last file chosen in this
// run, never the working folder).
#include "widgets/filedialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(FileDialogs, AnsweredInAdvanceAndRememberTheDefaultName)
{
    FileDialogs::answerNext(QStringLiteral("/tmp/x.csv"));
    EXPECT_EQ(FileDialogs::askSavePath(nullptr, QStringLiteral("ART_1.CSV"), QStringLiteral("*.csv")),
              QStringLiteral("/tmp/x.csv"));
    EXPECT_EQ(FileDialogs::lastDefaultName(), QStringLiteral("ART_1.CSV"));
    FileDialogs::answerNext(QString());
    EXPECT_EQ(FileDialogs::askOpenPath(nullptr, QStringLiteral("OD_1.CSV"), QStringLiteral("*.csv")), QString());
}

class FileDialogFolder : public ::testing::Test {
protected:
    QTemporaryDir home;
    QTemporaryDir work;
    QTemporaryDir elsewhere;
    QByteArray oldHome = qgetenv("HOME");
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    QString oldWork = QDir::currentPath();

    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && work.isValid() && elsewhere.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        ASSERT_TRUE(QDir::setCurrent(work.path()));
        FileDialogs::forgetLastFolder();
    }
    void TearDown() override
    {
        QDir::setCurrent(oldWork);
        qputenv("HOME", oldHome);
        if (oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
        FileDialogs::forgetLastFolder();
    }
    QString documents() const { return QDir(home.path()).filePath(QStringLiteral("Documents")); }

    // Shows the real save dialog and reports the folder it opened in.
    static QString folderOfRealDialog()
    {
        QString seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                seen = dialog->directory().absolutePath();
                dialog->reject();
            }
        });
        poll.start(10);
        EXPECT_EQ(FileDialogs::askSavePath(nullptr, QStringLiteral("ART_1.CSV"), QStringLiteral("*.csv")), QString());
        return seen;
    }
};

} // namespace

TEST_F(FileDialogFolder, FirstInTheDocumentsFolder)
{
    ASSERT_TRUE(QDir().mkpath(documents()));
    EXPECT_EQ(FileDialogs::startFolder(), documents());
    EXPECT_EQ(folderOfRealDialog(), documents());
}

TEST_F(FileDialogFolder, HomeWhenThereIsNoDocumentsFolder)
{
    EXPECT_EQ(FileDialogs::startFolder(), QDir(home.path()).absolutePath());
    EXPECT_NE(FileDialogs::startFolder(), QDir::currentPath());
}

TEST_F(FileDialogFolder, ThenWhereTheLastFileWasChosen)
{
    ASSERT_TRUE(QDir().mkpath(documents()));
    FileDialogs::answerNext(elsewhere.filePath(QStringLiteral("ART_1.CSV")));
    EXPECT_FALSE(FileDialogs::askSavePath(nullptr, QStringLiteral("ART_1.CSV"), QStringLiteral("*.csv")).isEmpty());
    EXPECT_EQ(FileDialogs::startFolder(), QDir(elsewhere.path()).absolutePath());
    EXPECT_EQ(folderOfRealDialog(), QDir(elsewhere.path()).absolutePath());
    // A cancelled dialog keeps the folder.
    FileDialogs::answerNext(QString());
    FileDialogs::askOpenPath(nullptr, QStringLiteral("OD_1.CSV"), QStringLiteral("*.csv"));
    EXPECT_EQ(FileDialogs::startFolder(), QDir(elsewhere.path()).absolutePath());
}
