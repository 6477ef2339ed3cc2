#include "core/filestore.h"
#include "core/systemerrortext.h"
#include "support/failingsaves.h"
#include "support/filebytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

using FileStore::SaveStep;

struct FaultCase {
    SaveStep step;
    int error;
    const char *reason;
};

class SaveFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SaveFault, OldFileStaysAndTheSystemsReasonIsGiven)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OD_1.CSV"));
    QString error;
    ASSERT_TRUE(FileStore::writeAtomically(path, "old contents", &error));
    {
        FailingSaves failing(GetParam().step, GetParam().error);
        EXPECT_FALSE(FileStore::writeAtomically(path, QByteArray(300, 'n'), &error));
        EXPECT_EQ(failing.attempts, 1);
    }
    EXPECT_EQ(readFile(path), QByteArray("old contents"));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("OD_1.CSV")})
        << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFault,
    ::testing::Values(FaultCase{SaveStep::Open, EACCES, "приступ није дозвољен"},
                      FaultCase{SaveStep::Write, ENOSPC, "нема места на диску"},
                      FaultCase{SaveStep::Flush, ENOSPC, "нема места на диску"},
                      FaultCase{SaveStep::Flush, EIO, "грешка при раду са диском"},
                      FaultCase{SaveStep::Commit, EROFS, "диск је само за читање"},
                      FaultCase{SaveStep::Commit, 0, "injected failure"}));

TEST(SaveFault, AFileCreatedByAFailedSaveDoesNotAppear)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Command.iv"));
    QString error;
    for (SaveStep step : {SaveStep::Open, SaveStep::Write, SaveStep::Flush, SaveStep::Commit}) {
        FailingSaves failing(step, ENOSPC);
        EXPECT_FALSE(FileStore::writeAtomically(path, "4<D></D>", &error));
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
    EXPECT_TRUE(FileStore::writeAtomically(path, "4<D></D>", &error)) << "the real steps are back";
    EXPECT_EQ(readFile(path), QByteArray("4<D></D>"));
}

// A real failure of the system, without the seam: the file size limit of
// the process makes the write of a small file fail (EFBIG) as a full disk
// would. A small file is the case Qt's buffer hides until commit.
TEST(SaveFault, RealWriteFailureOfASmallFileKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ART_1.CSV"));
    QString error;
    ASSERT_TRUE(FileStore::writeAtomically(path, "old", &error));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved2 = FileStore::writeAtomically(path, QByteArray(1000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved2);
    EXPECT_EQ(readFile(path), QByteArray("old"));
    EXPECT_TRUE(error.contains(QStringLiteral("датотека је већа него што систем дозвољава"))) << error.toStdString();
}

struct ReasonCase {
    int error;
    const char *text;
};

class Reasons : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(Reasons, CommonErrorsInTheUsersLanguage)
{
    EXPECT_EQ(SystemErrorText::describe(GetParam().error, QStringLiteral("No space left on device")),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Errors, Reasons,
                         ::testing::Values(ReasonCase{ENOSPC, "нема места на диску"},
                                           ReasonCase{EACCES, "приступ није дозвољен"},
                                           ReasonCase{EPERM, "приступ није дозвољен"},
                                           ReasonCase{EROFS, "диск је само за читање"},
                                           ReasonCase{ENOENT, "датотека или фасцикла не постоји"},
                                           ReasonCase{EISDIR, "на том месту је фасцикла"},
                                           ReasonCase{EDQUOT, "прекорачена је дозвољена величина на диску"},
                                           ReasonCase{EXDEV, "системска грешка 18 (No space left on device)"},
                                           ReasonCase{0, "системска грешка (No space left on device)"}));

TEST(ReadInChunks, GivesTheWholeFileInPieces)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.csv"));
    QByteArray bytes;
    for (int i = 0; i < 3 * 1024 * 1024 + 17; ++i)
        bytes.append(char('a' + i % 26));
    QString error;
    ASSERT_TRUE(FileStore::writeAtomically(path, bytes, &error));
    QByteArray joined;
    int pieces = 0;
    ASSERT_TRUE(FileStore::readInChunks(path, [&](const char *d, qsizetype n) {
        joined.append(d, n);
        return ++pieces < 1000;
    }, &error));
    EXPECT_EQ(joined, bytes);
    EXPECT_GE(pieces, 4);
    int taken = 0;
    ASSERT_TRUE(FileStore::readInChunks(path, [&](const char *, qsizetype) { return ++taken < 2; }, &error));
    EXPECT_EQ(taken, 2) << "reading stops when the consumer has enough";
    EXPECT_FALSE(FileStore::readInChunks(dir.filePath(QStringLiteral("none")), [](const char *, qsizetype) { return true; }, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("датотека или фасцикла не постоји"))) << error.toStdString();
}

} // namespace
