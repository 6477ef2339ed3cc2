// Framing gives the same result however the port splits the bytes: every
// case is fed whole, one byte at a time and with trailing bytes.
#include "link/driverrig.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using O = ArrivalOutcome;
using K = LinkEventKind;

struct SplitCase {
    const char *name;
    std::function<void(DriverRig &)> before; // what happened before the bytes came
    QByteArray input;
    int handled;                 // frames that reached a handler
    QString lastStatus;          // the status line afterwards
    ArrivalResult outcomes;      // completed pieces, in order
    QList<LinkEventKind> events; // events raised by the input
    int writesAfter;             // requests written in all
};

void sendArticle(DriverRig &r, int index) { r.driver.send(115, articleIndex(index)); }

const QByteArray Ok = QByteArray("OK\r");

std::vector<SplitCase> cases()
{
    return {
        {"reply to the request", [](DriverRig &r) { sendArticle(r, 0); }, articleReply(0), 1, QString(),
         {O::FrameAccepted}, {K::ReplyAccepted}, 1},
        {"text with its line end", [](DriverRig &) {}, Ok, 0, QStringLiteral("OK"), {O::TextOutsideFrames},
         {K::TextOutsideFrames}, 0},
        {"text, a carriage return and a line feed", [](DriverRig &) {}, QByteArray("OK\r\n"), 0,
         QStringLiteral("OK"), {O::TextOutsideFrames}, {K::TextOutsideFrames}, 0},
        {"two lines", [](DriverRig &) {}, QByteArray("OK\rREADY\r"), 0, QStringLiteral("READY"),
         {O::TextOutsideFrames, O::TextOutsideFrames}, {K::TextOutsideFrames, K::TextOutsideFrames}, 0},
        {"text then a reply", [](DriverRig &r) { sendArticle(r, 0); }, Ok + articleReply(0), 1,
         QStringLiteral("OK"), {O::TextOutsideFrames, O::FrameAccepted}, {K::TextOutsideFrames, K::ReplyAccepted}, 1},
        {"text ended by a frame start", [](DriverRig &r) { sendArticle(r, 0); },
         QByteArray("\x01OK") + articleReply(0), 1, QStringLiteral("OK"), {O::TextOutsideFrames, O::FrameAccepted},
         {K::TextOutsideFrames, K::ReplyAccepted}, 1},
        {"reply after a cancel", [](DriverRig &r) { sendArticle(r, 0), r.driver.cancel(); }, articleReply(0), 0,
         QString(), {O::Dropped}, {K::ReplyDropped}, 1},
        {"text and reply after a cancel", [](DriverRig &r) { sendArticle(r, 0), r.driver.cancel(); },
         Ok + articleReply(0), 0, QString(), {O::Dropped, O::Dropped}, {K::ReplyDropped, K::ReplyDropped}, 1},
        {"cancel before any exchange, then text twice", [](DriverRig &r) { r.driver.cancel(); }, Ok + Ok, 0,
         QStringLiteral("OK"), {O::Dropped, O::TextOutsideFrames}, {K::ReplyDropped, K::TextOutsideFrames}, 0},
        {"reply for another article", [](DriverRig &r) { sendArticle(r, 7); }, articleReply(6), 0, QString(),
         {O::StaleReply}, {K::StaleReply}, 1},
        {"late reply, then the reply asked for", [](DriverRig &r) { sendArticle(r, 7); },
         articleReply(6) + articleReply(7), 1, QString(), {O::StaleReply, O::FrameAccepted},
         {K::StaleReply, K::ReplyAccepted}, 1},
        {"frame of another command", [](DriverRig &r) { sendArticle(r, 0); }, replyFrame(116, articleIndex(0)), 0,
         QString(), {O::StaleReply}, {K::StaleReply}, 1},
        {"13 bytes whose length byte says 2", [](DriverRig &r) { r.driver.send(101, QByteArray(1, '\0')); },
         QByteArray::fromHex("AA01110000000165020000000D"), 0, QString(), {}, {}, 1},
    };
}

class Splits : public ::testing::TestWithParam<Split> {};

TEST_P(Splits, EveryCaseGivesTheSameResult)
{
    for (const SplitCase &c : cases()) {
        SCOPED_TRACE(std::string(c.name) + ", " + splitName(GetParam()));
        DriverRig rig;
        c.before(rig);
        const int eventsBefore = rig.events.size();
        rig.statuses.clear();
        rig.feed(c.input, GetParam());
        EXPECT_EQ(rig.handled.size(), c.handled);
        EXPECT_EQ(rig.statuses.value(rig.statuses.size() - 1), c.lastStatus);
        EXPECT_EQ(rig.completed(), c.outcomes);
        EXPECT_EQ(rig.eventKinds().mid(eventsBefore), c.events);
        EXPECT_EQ(rig.port.writes.size(), c.writesAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(Arrivals, Splits, ::testing::Values(Split::Whole, Split::ByteByByte, Split::WithTrailingBytes),
                         [](const auto &info) {
                             return info.param == Split::Whole        ? std::string("Whole")
                                    : info.param == Split::ByteByByte ? std::string("ByteByByte")
                                                                      : std::string("WithTrailingBytes");
                         });

TEST(Arrival, TextWithoutItsLineEndShowsWhatCameSoFar)
{
    DriverRig rig;
    EXPECT_EQ(rig.driver.received("O"), ArrivalResult{O::Incomplete});
    EXPECT_EQ(rig.statuses.last(), QStringLiteral("O"));
    EXPECT_EQ(rig.driver.received("K"), ArrivalResult{O::Incomplete});
    EXPECT_EQ(rig.statuses.last(), QStringLiteral("OK"));
    EXPECT_EQ(rig.driver.received("\r"), ArrivalResult{O::TextOutsideFrames});
    EXPECT_EQ(rig.statuses.last(), QStringLiteral("OK")) << "the line end does not clear it";
    ASSERT_EQ(rig.events.size(), 1);
    EXPECT_EQ(rig.events[0].bytes, QByteArray("OK\r"));
    EXPECT_EQ(rig.events[0].text, QStringLiteral("OK"));
}

TEST(Arrival, BytesDuringAHandlerWaitAndSayDeferred)
{
    DriverRig rig;
    ArrivalResult inner;
    rig.driver.setReplyHandler(115, [&](const QByteArray &) {
        if (inner.isEmpty())
            inner = rig.driver.received(Ok);
    });
    rig.driver.send(115, articleIndex(0));
    const ArrivalResult outer = rig.driver.received(articleReply(0));
    EXPECT_EQ(inner, ArrivalResult{O::Deferred});
    EXPECT_EQ(outer, (ArrivalResult{O::FrameAccepted, O::TextOutsideFrames}));
}

} // namespace
