// How trace events read: the columns, the saved file and the frame reading.
#include "link/traceformat.h"
#include "link/tracerecorder.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

// The article read of index 16 for register 123456, sequence 3, as the
// protocol gives it.
const QByteArray ArticleRead = QByteArray::fromHex("AA01111234560373021000E0A80D");

qint64 at(int h, int m, int s, int ms)
{
    return QDateTime(QDate(2026, 12, 9), QTime(h, m, s, ms)).toMSecsSinceEpoch();
}

TEST(TraceFormat, ColumnsOfAFrameEvent)
{
    TraceEvent e;
    e.timeMs = at(9, 5, 7, 42);
    e.sinceMs = 31;
    e.kind = TraceKind::RequestWritten;
    e.bytes = ArticleRead;
    EXPECT_EQ(TraceFormat::columnTitles(),
              QStringList({"Време", "Δ ms", "Смер", "Команда", "N", "Бајтови"}));
    EXPECT_EQ(TraceFormat::line(e),
              QStringLiteral("09:05:07.042\t31\t→\t115 читање артикла\t2\tAA 01 11 12 34 56 03 73 02 10 00 E0 A8 0D"));
}

struct DirectionCase {
    TraceKind kind;
    int repeat;
    const char *direction;
};

class TraceDirection : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(TraceDirection, IsShownWithItsSymbol)
{
    TraceEvent e;
    e.kind = GetParam().kind;
    e.repeat = GetParam().repeat;
    EXPECT_EQ(TraceFormat::cell(e, TraceFormat::Direction), QString::fromUtf8(GetParam().direction));
}

INSTANTIATE_TEST_SUITE_P(Kinds, TraceDirection,
                         ::testing::Values(DirectionCase{TraceKind::RequestWritten, 0, "→"},
                                           DirectionCase{TraceKind::RequestRepeated, 2, "↻2"},
                                           DirectionCase{TraceKind::ReplyAccepted, 0, "←"},
                                           DirectionCase{TraceKind::Stray, 0, "?"},
                                           DirectionCase{TraceKind::GaveUp, 0, "•"},
                                           DirectionCase{TraceKind::PortLost, 0, "•"}));

TEST(TraceFormat, EventsWithoutAFrameSayWhatHappened)
{
    TraceEvent noise;
    noise.kind = TraceKind::Stray;
    noise.bytes = "OK\r";
    noise.note = QStringLiteral("ван оквира");
    EXPECT_EQ(TraceFormat::cell(noise, TraceFormat::CommandName), QStringLiteral("ван оквира"));
    EXPECT_EQ(TraceFormat::cell(noise, TraceFormat::Length), QString());
    EXPECT_EQ(TraceFormat::cell(noise, TraceFormat::Bytes), QStringLiteral("4F 4B 0D"));

    TraceEvent stale;
    stale.kind = TraceKind::Stray;
    stale.bytes = ArticleRead;
    stale.note = QStringLiteral("застарели одговор");
    EXPECT_EQ(TraceFormat::cell(stale, TraceFormat::CommandName),
              QStringLiteral("115 читање артикла (застарели одговор)"));

    TraceEvent lost;
    lost.kind = TraceKind::PortLost;
    EXPECT_EQ(TraceFormat::cell(lost, TraceFormat::CommandName), QStringLiteral("Веза са портом изгубљена"));
}

TEST(TraceFormat, DecodesAFrameAndChecksItsChecksums)
{
    const QString good = TraceFormat::decodeFrame(ArticleRead);
    for (const char *expected : {"Почетни бајт: AA", "Стални бајтови: 01 11", "Серијски број: 123456",
                                 "Редни бајт: 03 (3)", "Команда: 115 читање артикла", "N: 2", "Подаци: 10 00",
                                 "CRC1: E0 исправан", "CRC2: A8 исправан", "Завршни бајт: 0D исправан"})
        EXPECT_TRUE(good.contains(QString::fromUtf8(expected))) << expected << "\n" << good.toStdString();

    QByteArray damaged = ArticleRead;
    damaged[11] = static_cast<char>(0xE1);
    damaged[12] = static_cast<char>(0xA9);
    const QString bad = TraceFormat::decodeFrame(damaged);
    EXPECT_TRUE(bad.contains(QStringLiteral("CRC1: E1 погрешан (треба E0)"))) << bad.toStdString();
    EXPECT_TRUE(bad.contains(QStringLiteral("CRC2: A9 погрешан (треба A8)"))) << bad.toStdString();
}

TEST(TraceFormat, DecodesWhatIsNotAWholeFrameWithoutReadingPastIt)
{
    EXPECT_TRUE(TraceFormat::decodeFrame(ArticleRead.left(10)).contains(QStringLiteral("Бајтови ван оквира")));
    // A frame whose N promises more than arrived.
    QByteArray cut = ArticleRead;
    cut[8] = static_cast<char>(0x40);
    EXPECT_TRUE(TraceFormat::decodeFrame(cut).contains(QStringLiteral("Оквир је кратак: 14 бајтова уместо 76")));
    EXPECT_TRUE(TraceFormat::decodeFrame(ArticleRead + "OK")
                    .contains(QStringLiteral("Вишак после оквира: 4F 4B")));
    EXPECT_EQ(TraceFormat::decodeFrame(QByteArray()), QString());
}

TEST(TraceFormat, SavedFileHasAHeaderThenOneTabSeparatedLinePerEvent)
{
    qint64 now = at(10, 0, 0, 0);
    TraceRecorder recorder([&] { return now; }, 2);
    now += 5;
    recorder.record(TraceKind::PortOpened);
    now += 10;
    recorder.record(TraceKind::RequestWritten, ArticleRead);
    now += 20;
    recorder.record(TraceKind::ReplyAccepted, ArticleRead);

    TraceFormat::Header header{QStringLiteral("vilaron-setup 3.5"), QStringLiteral("/dev/ttyUSB0"),
                               QStringLiteral("123456"), recorder.startedMs()};
    const QStringList lines = TraceFormat::fileText(header, recorder).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4); // header, two events, the empty rest after the last line feed
    EXPECT_EQ(lines[0], QStringLiteral("vilaron-setup 3.5\tпорт /dev/ttyUSB0\tсеријски број 123456\t"
                                       "почетак 2026-12-09 10:00:00.000\tнајстаријих изостављено 1"));
    EXPECT_EQ(lines[1], QStringLiteral("10:00:00.015\t10\t→\t115 читање артикла\t2\tAA 01 11 12 34 56 03 73 02 10 00 E0 A8 0D"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("10:00:00.035\t20\t←\t")));
    EXPECT_EQ(lines[3], QString());
}

} // namespace
