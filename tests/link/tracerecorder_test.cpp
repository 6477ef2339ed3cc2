// The trace recorder: order, times, the bound on what it keeps.
#include "link/tracerecorder.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct HandClock {
    qint64 now = 1'765'000'000'000;
    TraceRecorder::Clock clock()
    {
        return [this] { return now; };
    }
};

TEST(TraceRecorder, KeepsEventsInOrderWithTheTimeSinceThePreviousOne)
{
    HandClock hand;
    TraceRecorder recorder(hand.clock());
    recorder.record(TraceKind::PortOpened);
    hand.now += 12;
    recorder.record(TraceKind::RequestWritten, QByteArray::fromHex("AA0111"));
    hand.now += 5000;
    recorder.record(TraceKind::RequestRepeated, QByteArray::fromHex("AA0111"), 1);
    hand.now += 7;
    recorder.recordAt(hand.now - 2, TraceKind::ReplyAccepted, QByteArray::fromHex("AA0111"));

    ASSERT_EQ(recorder.size(), 4);
    const qint64 since[] = {0, 12, 5000, 5};
    const TraceKind kinds[] = {TraceKind::PortOpened, TraceKind::RequestWritten, TraceKind::RequestRepeated,
                               TraceKind::ReplyAccepted};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(recorder.at(i).sinceMs, since[i]) << i;
        EXPECT_EQ(recorder.at(i).kind, kinds[i]) << i;
    }
    EXPECT_EQ(recorder.at(2).repeat, 1);
    EXPECT_EQ(recorder.at(3).timeMs, hand.now - 2);
}

TEST(TraceRecorder, DropsTheOldestBeyondItsCapacityAndCountsThem)
{
    HandClock hand;
    TraceRecorder recorder(hand.clock());
    EXPECT_EQ(recorder.capacity(), 100000);
    for (int i = 0; i < 100000 + 250; ++i) {
        hand.now += 1;
        recorder.record(TraceKind::RequestWritten, QByteArray(1, static_cast<char>(i & 0x7F)), i);
    }
    EXPECT_EQ(recorder.size(), 100000);
    EXPECT_EQ(recorder.droppedCount(), 250);
    EXPECT_EQ(recorder.at(0).repeat, 250);
    EXPECT_EQ(recorder.at(recorder.size() - 1).repeat, 100000 + 249);
}

TEST(TraceRecorder, ClearStartsAfreshAndSaysSo)
{
    HandClock hand;
    TraceRecorder recorder(hand.clock(), 3);
    QSignalSpy cleared(&recorder, &TraceRecorder::cleared);
    for (int i = 0; i < 5; ++i)
        recorder.record(TraceKind::Stray);
    hand.now += 100;
    recorder.clear();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(recorder.size(), 0);
    EXPECT_EQ(recorder.droppedCount(), 0);
    EXPECT_EQ(recorder.startedMs(), hand.now);
    hand.now += 40;
    recorder.record(TraceKind::PortClosed);
    EXPECT_EQ(recorder.at(0).sinceMs, 0);
}

} // namespace
