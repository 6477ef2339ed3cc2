// The events of the driver: what each carries, its time and its order
// against the reply handlers.
#include "link/driverrig.h"
#include "protocol/recordindex.h"

#include <gtest/gtest.h>

namespace {

using K = LinkEventKind;

TEST(LinkEvents, RequestRepeatsGiveUpWithBytesRepeatNumbersAndTimes)
{
    DriverRig rig;
    rig.clock.now = 1000;
    rig.driver.send(101, QByteArray(1, '\0'));
    const QByteArray request = rig.port.last();
    for (int tick = 1; tick <= 4; ++tick) {
        rig.clock.now = 1000 + tick * 5000;
        rig.driver.retryTick();
    }
    ASSERT_EQ(rig.eventKinds(), (QList<K>{K::RequestWritten, K::RequestRepeated, K::RequestRepeated,
                                          K::RequestRepeated, K::GaveUp}));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rig.events[i].bytes, request) << i;
        EXPECT_EQ(rig.events[i].timeMs, 1000 + i * 5000) << i;
        EXPECT_EQ(rig.events[i].repeat, i < 4 ? i : 0) << i;
    }
}

TEST(LinkEvents, FailedWriteCarriesThePortsText)
{
    DriverRig rig;
    rig.port.failWrites = true;
    rig.driver.send(101, QByteArray(1, '\0'));
    ASSERT_EQ(rig.events.size(), 1);
    EXPECT_EQ(rig.events[0].kind, K::RequestWritten);
    EXPECT_EQ(rig.events[0].text, rig.port.failureText);
}

TEST(LinkEvents, AcceptedReplyIsReportedBeforeItsHandlerAndTheNextRequest)
{
    DriverRig rig;
    QList<K> seenByHandler;
    rig.driver.setReplyHandler(115, [&](const QByteArray &) {
        seenByHandler = rig.eventKinds();
        rig.driver.send(115, articleIndex(1));
    });
    rig.driver.send(115, articleIndex(0));
    rig.clock.now = 42;
    rig.driver.received(articleReply(0));
    EXPECT_EQ(seenByHandler, (QList<K>{K::RequestWritten, K::ReplyAccepted}));
    ASSERT_EQ(rig.eventKinds(), (QList<K>{K::RequestWritten, K::ReplyAccepted, K::RequestWritten}));
    EXPECT_EQ(rig.events[1].bytes, articleReply(0));
    EXPECT_EQ(rig.events[1].timeMs, 42);
}

TEST(LinkEvents, CancelCarriesTheOutstandingRequest)
{
    DriverRig rig;
    rig.driver.send(115, articleIndex(3));
    rig.driver.cancel();
    ASSERT_EQ(rig.events.size(), 2);
    EXPECT_EQ(rig.events[1].kind, K::Cancelled);
    EXPECT_EQ(rig.events[1].bytes, rig.port.last());
}

TEST(LinkEvents, StaleReplySaysWhy)
{
    DriverRig rig;
    rig.driver.send(115, articleIndex(300));
    rig.driver.received(articleReply(299));
    ASSERT_EQ(rig.events.last().kind, K::StaleReply);
    EXPECT_EQ(rig.events.last().text, QStringLiteral("запис 299, а тражен је 300"));
}

TEST(LinkEvents, TheProgramsClockMovesForward)
{
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    QList<LinkEvent> events;
    QObject::connect(&driver, &ExchangeDriver::linkEvent, [&](const LinkEvent &e) { events.append(e); });
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    driver.send(121);
    driver.received(replyFrame(121));
    ASSERT_EQ(events.size(), 2);
    EXPECT_GE(events[0].timeMs, before - 1000);
    EXPECT_GE(events[1].timeMs, events[0].timeMs);
}

struct IndexCase {
    int command;
    QByteArray frame;
    int expected; // -1: none
};

TEST(RecordIndexTable, WhereTheReadsCarryTheirRecord)
{
    const IndexCase cases[] = {
        {107, replyFrame(107, QByteArray::fromHex("0520800000")), 5},
        {111, replyFrame(111, QByteArray(30, '\x07')), 7},
        {113, replyFrame(113, QByteArray(27, '\x0C')), 12},
        {115, articleReply(3999), 3999},
        {117, replyFrame(117, QByteArray(104, '\x18')), 24},
        {119, replyFrame(119, QByteArray(28, '\x09')), 9},
        {101, replyFrame(101, QByteArray(20, '\x03')), -1}, // the line asked for is filled whatever it says
        {116, replyFrame(116, articleIndex(2)), -1},
        {107, replyFrame(107), -1},                               // no data: nothing carried
        {115, replyFrame(115, QByteArray(1, '\x05')), -1},        // one byte of a two-byte index
    };
    for (const IndexCase &c : cases) {
        SCOPED_TRACE(c.command);
        const std::optional<int> index = RecordIndex::of(c.frame);
        EXPECT_EQ(index.value_or(-1), c.expected);
        EXPECT_EQ(RecordIndex::find(std::uint8_t(c.command)) != nullptr,
                  c.command != 101 && c.command != 116);
    }
}

} // namespace
