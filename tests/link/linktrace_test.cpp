// The trace as the driver feeds it, with a hand-set clock: what is recorded,
// in what order, with what time.
#include "link/driverrig.h"
#include "link/linktrace.h"
#include "link/serialline.h"
#include "link/traceformat.h"
#include "link/tracerecorder.h"

#include <gtest/gtest.h>

namespace {

struct TraceRig : DriverRig {
    SerialLine line{SerialSettings::registerPort()};
    TraceRecorder recorder{[this] { return clock.now; }};

    TraceRig()
    {
        clock.now = 1'765'270'800'000;
        LinkTrace::connect(recorder, driver, line);
        driver.setReplyHandler(107, [this](const QByteArray &f) {
            handled.append(f);
            // The read goes on from inside the handler, as the families do.
            if (static_cast<std::uint8_t>(f[9]) < 1)
                driver.send(107, QByteArray(1, char(f[9] + 1)));
        });
    }
    QStringList directions() const
    {
        QStringList out;
        for (int i = 0; i < recorder.size(); ++i)
            out << TraceFormat::cell(recorder.at(i), TraceFormat::Direction);
        return out;
    }
    QList<qint64> since() const
    {
        QList<qint64> out;
        for (int i = 0; i < recorder.size(); ++i)
            out << recorder.at(i).sinceMs;
        return out;
    }
};

QByteArray taxReply(int index, int sequence)
{
    // Index, label, rate in hundredths.
    return replyFrame(107, QByteArray(1, char(index)) + QByteArray::fromHex("00E803"), sequence);
}

TEST(LinkTrace, AReadWithOneRepeat)
{
    TraceRig rig;
    rig.driver.send(107, QByteArray(1, '\0'));
    rig.clock.now += 5000;
    rig.driver.retryTick();
    rig.clock.now += 40;
    rig.driver.received(taxReply(0, 1));
    rig.clock.now += 35;
    rig.driver.received(taxReply(1, 3));

    EXPECT_EQ(rig.directions(), QStringList({"→", "↻1", "←", "→", "←"}));
    EXPECT_EQ(rig.since(), QList<qint64>({0, 5000, 40, 0, 35}));
    // The request that follows a reply is traced after it, with that reply's bytes before it.
    EXPECT_EQ(rig.recorder.at(2).bytes, taxReply(0, 1));
    EXPECT_EQ(rig.recorder.at(3).bytes[9], char(1));
    EXPECT_EQ(rig.recorder.at(1).bytes, rig.recorder.at(0).bytes);
}

TEST(LinkTrace, AGiveUpAfterTheRepeats)
{
    TraceRig rig;
    rig.driver.send(115, articleIndex(7));
    for (int tick = 0; tick < ExchangeDriver::MaxRepeats + 1; ++tick) {
        rig.clock.now += 5000;
        rig.driver.retryTick();
    }
    EXPECT_EQ(rig.directions(), QStringList({"→", "↻1", "↻2", "↻3", "•"}));
    EXPECT_EQ(rig.recorder.at(4).kind, TraceKind::GaveUp);
    EXPECT_EQ(TraceFormat::cell(rig.recorder.at(4), TraceFormat::CommandName),
              QStringLiteral("115 читање артикла (Одустајање: нема одзива)"));
}

TEST(LinkTrace, ACancelAndTheReplyThatComesAfterIt)
{
    TraceRig rig;
    rig.driver.send(115, articleIndex(3));
    rig.clock.now += 100;
    rig.driver.cancel();
    rig.clock.now += 900;
    rig.driver.received(articleReply(3));
    const QStringList directions = rig.directions();
    ASSERT_EQ(directions.size(), 3);
    EXPECT_EQ(directions[0], QStringLiteral("→"));
    EXPECT_EQ(rig.recorder.at(1).kind, TraceKind::Cancelled);
    EXPECT_EQ(rig.recorder.at(2).kind, TraceKind::Stray);
    EXPECT_EQ(rig.recorder.at(2).note, QStringLiteral("одбачено после прекида"));
    EXPECT_TRUE(rig.handled.isEmpty());
}

TEST(LinkTrace, AFrameSplitOverThreeArrivalsWithNoiseBeforeIt)
{
    TraceRig rig;
    rig.driver.send(115, articleIndex(16));
    const QByteArray noise = "OK\r";
    const QByteArray reply = articleReply(16);
    rig.clock.now += 10;
    rig.driver.received(noise + reply.left(5));
    rig.clock.now += 10;
    rig.driver.received(reply.mid(5, 30));
    rig.clock.now += 10;
    rig.driver.received(reply.mid(35));

    EXPECT_EQ(rig.directions(), QStringList({"→", "?", "←"}));
    EXPECT_EQ(rig.recorder.at(1).bytes, noise);
    EXPECT_EQ(rig.recorder.at(1).note, QStringLiteral("текст ван оквира"));
    // The reply is traced whole, at the arrival that completed it.
    EXPECT_EQ(rig.recorder.at(2).bytes, reply);
    EXPECT_EQ(rig.recorder.at(2).timeMs - rig.recorder.at(0).timeMs, 30);
}

TEST(LinkTrace, AStaleReplyIsTracedAndTheRequestKeepsWaiting)
{
    TraceRig rig;
    rig.driver.send(115, articleIndex(5));
    rig.driver.received(articleReply(4));
    ASSERT_EQ(rig.recorder.size(), 2);
    EXPECT_EQ(rig.recorder.at(1).kind, TraceKind::Stray);
    EXPECT_TRUE(rig.recorder.at(1).note.startsWith(QStringLiteral("застарели одговор")));
    EXPECT_TRUE(rig.driver.replyAwaited());
}

} // namespace

namespace {

TEST(LinkTrace, AReplyWithAChangedByteIsTracedAsItCameAndAskedForAgain)
{
    TraceRig rig;
    rig.driver.send(107, QByteArray(1, '\1'));
    QByteArray bad = taxReply(1, 1);
    bad[11] = char(bad[11] ^ 0x04);
    rig.driver.received(bad);
    ASSERT_EQ(rig.recorder.size(), 3);
    EXPECT_EQ(rig.recorder.at(1).kind, TraceKind::Stray);
    EXPECT_EQ(rig.recorder.at(1).bytes, bad);
    EXPECT_EQ(rig.recorder.at(1).note,
              QStringLiteral("неисправан контролни збир: одговор није примљен, захтев се понавља"));
    EXPECT_EQ(rig.recorder.at(2).kind, TraceKind::RequestRepeated);
    EXPECT_TRUE(rig.handled.isEmpty());
}

} // namespace
