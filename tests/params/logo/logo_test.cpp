#include "params/logo/logopasswordrig.h"
#include "params/logo/logopicture.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање ЛОГО-а");
const QString WriteDone = QStringLiteral("Завршен упис Лога");
const QString BadReply = QStringLiteral("Грешка !!! |Неисправан одговор касе. Пренос прекинут!");
using Op = LogoPasswordRecord::Operation;

QByteArray rowReply(int row, const QByteArray &bytes)
{
    QByteArray d(1, char(row));
    d.append(bytes.leftJustified(27, '\0', true));
    return LogoPasswordRig::reply(119, d);
}

struct Rig : ::testing::TestWithParam<char>, LogoPasswordRig {
    Rig() : LogoPasswordRig(GetParam(), Logo) {}
    int lastRow() const { return quint8(port.last().at(9)); }
    // Answers every row request with the row asked for, filled by `fill`.
    int answerRowReads(const std::function<QByteArray(int)> &fill, int limit = 300)
    {
        int answered = 0;
        while (lastCommand() == 0x77 && answered < limit) {
            const int before = port.writes.size();
            driver.received(rowReply(lastRow(), fill(lastRow())));
            ++answered;
            if (port.writes.size() == before)
                break;
        }
        return answered;
    }
    int confirmRowWrites(int limit = 300)
    {
        int confirmed = 0;
        while (lastCommand() == 0x78 && confirmed < limit) {
            driver.received(reply(120, QByteArray(1, port.last().at(9))));
            ++confirmed;
        }
        return confirmed;
    }
};

TEST_P(Rig, StartsWithABlankFullSizePicture)
{
    EXPECT_EQ(logo.picture().size(), QSize(216, 198));
    for (int y = 0; y < 198; ++y)
        ASSERT_EQ(LogoPicture::packRow(logo.picture(), y), QByteArray(27, '\0'));
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_EQ(logo.record().logoHeight(), 0);
}

TEST_P(Rig, ReadAsksForTheRecordThenForRowZero)
{
    logo.btnLogoReadClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 67 00 7B 8B 0D"));
    EXPECT_EQ(logo.record().pending(), Op::LogoRead);
    EXPECT_EQ(statuses, QStringList{Reading});
    driver.received(recordReply(123456, 4321, 3));
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 77 01 00 8E 98 0D"));
    EXPECT_EQ(statuses, (QStringList{Reading, Reading}));
    EXPECT_EQ(logo.picture().size(), QSize(216, 3));
    EXPECT_EQ(logo.record().servicePassword(), 123456u);
    EXPECT_EQ(logo.record().reportPassword(), 4321u);
    EXPECT_EQ(logo.record().logoHeight(), 3);
}

TEST_P(Rig, CompleteReadDrawsEveryRow)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(1, 2, 3));
    const int answered = answerRowReads([](int row) { return QByteArray(1, char(1 << row)); });
    EXPECT_EQ(answered, 3);
    EXPECT_EQ(port.writes.size(), 4);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 216; ++x)
            ASSERT_EQ(logo.picture().pixel(x, y), x == y ? 0xFF000000u : 0xFFFFFFFFu) << x << "," << y;
    }
    EXPECT_EQ(statuses, (QStringList{Reading, Reading, ReadDone}));
    EXPECT_EQ(progress, (QList<int>{0, 0, 0, 0}));
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_FALSE(driver.isBusy());
    EXPECT_GE(pictureChanges, 4);
}

TEST_P(Rig, HeightZeroAsksForRowZeroOnceAndShowsOneRow)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(0, 0, 0));
    EXPECT_EQ(logo.picture().size(), QSize(216, 1));
    EXPECT_EQ(answerRowReads([](int) { return QByteArray(27, char(0xFF)); }), 1);
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(LogoPicture::packRow(logo.picture(), 0), QByteArray(27, char(0xFF)));
    EXPECT_EQ(statuses.last(), ReadDone);
}

TEST_P(Rig, HeightAbove198ReadsEveryRowButShows198)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(0, 0, 200));
    EXPECT_EQ(logo.picture().size(), QSize(216, 198));
    EXPECT_EQ(answerRowReads([](int) { return QByteArray(27, char(0xFF)); }), 200);
    EXPECT_EQ(lastRow(), 199);
    EXPECT_EQ(logo.picture().height(), 198);
    EXPECT_EQ(statuses.last(), ReadDone);
    EXPECT_EQ(progress.at(progress.size() - 4), 16); // row 197
    EXPECT_EQ(progress.last(), 0);
}

TEST_P(Rig, ProgressReachesSixteenAtRow197)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(0, 0, 198));
    answerRowReads([](int) { return QByteArray(); });
    ASSERT_EQ(progress.size(), 199);
    EXPECT_EQ(progress.at(0), 0);  // row 0
    EXPECT_EQ(progress.at(10), 0); // row 10
    EXPECT_EQ(progress.at(11), 1); // row 11: 12 / 12
    EXPECT_EQ(progress.at(197), 16);
    EXPECT_EQ(progress.last(), 0);
}

TEST_P(Rig, ReplyForALaterRowIsDrawnAndTheReadGoesOnAfterIt)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(0, 0, 10));
    ASSERT_EQ(port.writes.size(), 2);
    // Row 0 was asked for; the register answers row 5: the read follows the
    // row the reply carries, draws row 5 and asks for row 6.
    driver.received(rowReply(5, QByteArray(27, char(0xFF))));
    ASSERT_EQ(port.writes.size(), 3);
    EXPECT_EQ(lastRow(), 6);
    EXPECT_EQ(LogoPicture::packRow(logo.picture(), 5), QByteArray(27, char(0xFF)));
    // The answer for row 0 now comes too late: nothing is drawn or asked.
    driver.received(rowReply(0, QByteArray(27, char(0xFF))));
    EXPECT_EQ(port.writes.size(), 3);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(LogoPicture::packRow(logo.picture(), y), QByteArray(27, '\0')) << y;
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_TRUE(timer.active);
}

TEST_P(Rig, ShortRowReplyIsNotDrawnAndEndsTheRead)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(0, 0, 10));
    driver.received(reply(119, hexBytes("00 FF FF")));
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(LogoPicture::packRow(logo.picture(), 0), QByteArray(27, '\0'));
    EXPECT_EQ(messages, QStringList{BadReply});
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_NE(statuses.last(), ReadDone);
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, ShortRecordKeepsTheStoredFieldsAndSendsNothing)
{
    logo.btnLogoReadClick();
    driver.received(recordReply(77, 88, 5));
    answerRowReads([](int) { return QByteArray(); });
    port.writes.clear();
    logo.btnLogoWriteClick();
    driver.received(reply(103, hexBytes("01 02 03 04")));
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_EQ(messages, QStringList{BadReply});
    EXPECT_EQ(logo.record().servicePassword(), 77u);
    EXPECT_EQ(logo.record().reportPassword(), 88u);
    EXPECT_EQ(logo.record().logoHeight(), 5);
    EXPECT_EQ(logo.record().pending(), Op::None);
}

TEST_P(Rig, RowRepliesWithNothingPendingAreIgnored)
{
    driver.received(rowReply(0, QByteArray(27, char(0xFF))));
    driver.received(reply(120, QByteArray(1, '\0')));
    driver.received(reply(104, QByteArray()));
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(LogoPicture::packRow(logo.picture(), 0), QByteArray(27, '\0'));
    EXPECT_TRUE(statuses.isEmpty());
}

TEST_P(Rig, WriteWithoutAPictureSends198BlankRowsThenTheRecord)
{
    logo.btnLogoWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 67 00 7B 8B 0D"));
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(logo.record().pending(), Op::LogoWrite);
    driver.received(recordReply(123456, 4321, 42));
    EXPECT_EQ(logo.record().logoHeight(), 0);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 78 1C 00 00 00 00 00 00 00 00 00 00 00 "
                                    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 8A 0D"));
    driver.received(reply(120, QByteArray(1, '\0')));
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 05 78 1C 01 00 00 00 00 00 00 00 00 00 00 "
                                    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 AD 8D 0D"));
    EXPECT_EQ(confirmRowWrites(), 197);
    // The record keeps the passwords read at the start and carries 198 rows.
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 8F 68 09 40 E2 01 00 E1 10 00 00 C6 ED 97 0D"));
    EXPECT_EQ(port.writes.size(), 1 + 198 + 1);
    EXPECT_EQ(logo.record().logoHeight(), 198);
    ASSERT_EQ(progress.size(), 198);
    EXPECT_EQ(progress.last(), 16);
    EXPECT_EQ(statuses, QStringList{Writing});
    driver.received(reply(104, QByteArray()));
    EXPECT_EQ(statuses, (QStringList{Writing, WriteDone}));
    EXPECT_EQ(progress.last(), 0);
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_EQ(logo.picture().size(), QSize(216, 198));
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, NarrowPictureIsWrittenWithBlankRightColumns)
{
    QImage p(100, 2, QImage::Format_RGB32);
    p.fill(0xFF000000);
    ASSERT_TRUE(logo.setPicture(p));
    logo.btnLogoWriteClick();
    driver.received(recordReply(1, 2, 9));
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 78 1C 00 FF FF FF FF FF FF FF FF FF FF "
                                    "FF FF 0F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 AD 85 0D"));
    EXPECT_EQ(confirmRowWrites(), 2);
    EXPECT_EQ(lastCommand(), 0x68);
    EXPECT_EQ(port.last().at(17), 2); // two rows
}

TEST_P(Rig, LargePictureIsWrittenAsItsTopLeftPart)
{
    QImage p(300, 250, QImage::Format_RGB32);
    p.fill(0xFFFFFFFF);
    p.setPixel(215, 197, 0xFF000000);
    p.setPixel(216, 0, 0xFF000000);   // outside: not written
    p.setPixel(0, 198, 0xFF000000);   // outside: not written
    ASSERT_TRUE(logo.setPicture(p));
    EXPECT_EQ(logo.picture().size(), QSize(216, 198));
    logo.btnLogoWriteClick();
    driver.received(recordReply(1, 2, 9));
    QList<QByteArray> rows;
    while (lastCommand() == 0x78) {
        rows << port.last().mid(10, 27);
        driver.received(reply(120, QByteArray(1, port.last().at(9))));
    }
    ASSERT_EQ(rows.size(), 198);
    for (int y = 0; y < 197; ++y)
        ASSERT_EQ(rows[y], QByteArray(27, '\0')) << y;
    EXPECT_EQ(rows[197], hexBytes("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80"));
    EXPECT_EQ(quint8(port.last().at(17)), 198);
}

TEST_P(Rig, GiveUpLeavesTheCountOfConfirmedRows)
{
    logo.btnLogoWriteClick();
    driver.received(recordReply(5, 6, 42));
    driver.received(reply(120, QByteArray(1, '\0')));
    driver.received(reply(120, QByteArray(1, '\1')));
    driver.received(reply(120, QByteArray(1, '\2')));
    EXPECT_EQ(lastRow(), 3);
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    EXPECT_FALSE(driver.isBusy());
    EXPECT_EQ(logo.record().logoHeight(), 3);
    EXPECT_EQ(logo.record().pending(), Op::LogoWrite); // until the next button
    logo.btnLogoReadClick();
    EXPECT_EQ(logo.record().pending(), Op::LogoRead);
}

TEST_P(Rig, WriteFollowsItsOwnRowCountNotTheReplies)
{
    QImage p = LogoPicture::blank(3);
    ASSERT_TRUE(logo.setPicture(p));
    logo.btnLogoWriteClick();
    driver.received(recordReply(5, 6, 42));
    // The register confirms a row number of its own: the count goes on.
    driver.received(reply(120, QByteArray(1, char(77))));
    EXPECT_EQ(lastRow(), 1);
}

// ---- picture files ------------------------------------------------------------

TEST_P(Rig, PngAndBmpFilesLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage p(120, 40, QImage::Format_RGB32);
    p.fill(0xFFFFFFFF);
    p.setPixel(3, 1, 0xFF000000);
    for (const char *format : {"PNG", "BMP"}) {
        const QString path = dir.filePath(QStringLiteral("logo.") + QString::fromLatin1(format).toLower());
        ASSERT_TRUE(p.save(path, format)) << format;
        logo.reset();
        ASSERT_TRUE(logo.loadPictureFile(path)) << format;
        EXPECT_EQ(logo.picture().size(), QSize(120, 40));
        EXPECT_EQ(LogoPicture::packRow(logo.picture(), 1).left(1), hexBytes("08"));
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_P(Rig, AFileThatDoesNotLoadKeepsThePicture)
{
    QTemporaryDir dir;
    QImage p(50, 20, QImage::Format_RGB32);
    p.fill(0xFF000000);
    ASSERT_TRUE(logo.setPicture(p));
    const QString junk = dir.filePath(QStringLiteral("junk.png"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG\r\n\x1a\n this is not a picture");
    f.close();
    for (const QString &path : {junk, dir.filePath(QStringLiteral("missing.bmp"))}) {
        errors.clear();
        EXPECT_FALSE(logo.loadPictureFile(path));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors.first().contains(path)) << errors.first().toStdString();
        EXPECT_EQ(logo.picture().size(), QSize(50, 20));
        EXPECT_EQ(LogoPicture::packRow(logo.picture(), 0).left(1), hexBytes("FF"));
    }
}

TEST_P(Rig, TransparentBackgroundIsNotPrinted)
{
    QTemporaryDir dir;
    QImage p(16, 1, QImage::Format_ARGB32);
    p.fill(0x00000000);
    p.setPixel(1, 0, 0xFF000000);
    const QString path = dir.filePath(QStringLiteral("t.png"));
    ASSERT_TRUE(p.save(path, "PNG"));
    ASSERT_TRUE(logo.loadPictureFile(path));
    EXPECT_EQ(LogoPicture::packRow(logo.picture(), 0).left(2), hexBytes("02 00"));
}

INSTANTIATE_TEST_SUITE_P(Separators, Rig, ::testing::Values(',', '.'));

} // namespace
