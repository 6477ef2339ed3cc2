// Late replies: a reply that arrives after its request was repeated, and
// replies that arrive after a cancel.
#include "link/driverrig.h"

#include <gtest/gtest.h>

namespace {

// An article read chained the way the article family chains it: each reply
// is stored in the row of the transfer index, which then moves on.
struct ArticleChain : DriverRig {
    QMap<int, int> rows; // row -> the article index its reply carried
    int last = 10;

    ArticleChain()
    {
        driver.setReplyHandler(115, [this](const QByteArray &f) {
            const int row = driver.transferIndex();
            rows[row] = quint8(f[9]) | quint8(f[10]) << 8;
            driver.setTransferIndex(row + 1);
            if (row + 1 < last)
                driver.send(115, articleIndex(row + 1));
        });
    }
    void start()
    {
        driver.setTransferIndex(0);
        driver.send(115, articleIndex(0));
    }
    // The register's reply to the request now written last.
    QByteArray echo() const
    {
        const QByteArray r = port.last();
        return articleReply(quint8(r[9]) | quint8(r[10]) << 8, quint8(r[6]));
    }
};

TEST(LateReply, ReplyToARepeatDoesNotShiftTheRows)
{
    ArticleChain chain;
    chain.start();
    chain.driver.received(chain.echo());
    chain.driver.received(chain.echo());
    const QByteArray lateOne = chain.echo(); // article 2, answered twice
    chain.driver.retryTick();                // the repeat goes out before the reply comes
    chain.driver.received(lateOne);          // the reply to the first writing
    EXPECT_EQ(chain.driver.transferIndex(), 3);
    chain.driver.received(lateOne); // the reply to the repeat
    EXPECT_EQ(chain.driver.transferIndex(), 3) << "not taken for article 3";
    EXPECT_TRUE(chain.driver.replyAwaited()) << "article 3 is still awaited";
    EXPECT_TRUE(chain.timer.active) << "and its repeats go on";
    while (chain.driver.transferIndex() < chain.last)
        chain.driver.received(chain.echo());
    for (int row = 0; row < chain.last; ++row)
        EXPECT_EQ(chain.rows.value(row, -1), row) << "row " << row;
}

TEST(LateReply, StaleReplyLeavesTheSequenceAndTheRetryCountAlone)
{
    ArticleChain chain;
    chain.start();
    chain.driver.retryTick();
    const int sequence = chain.driver.sequenceCounter();
    const ArrivalResult r = chain.driver.received(articleReply(9));
    EXPECT_EQ(r, ArrivalResult{ArrivalOutcome::StaleReply});
    EXPECT_EQ(chain.driver.sequenceCounter(), sequence);
    EXPECT_EQ(chain.driver.retryCount(), 1);
    EXPECT_TRUE(chain.driver.isBusy());
    EXPECT_TRUE(chain.rows.isEmpty());
}

TEST(LateReply, SecondReplyToTheLastRecordIsNotHandledAgain)
{
    ArticleChain chain;
    chain.last = 1;
    chain.start();
    chain.driver.retryTick();
    const QByteArray reply = chain.echo();
    chain.driver.received(reply);
    EXPECT_EQ(chain.driver.received(reply), ArrivalResult{ArrivalOutcome::StaleReply});
    EXPECT_EQ(chain.driver.transferIndex(), 1);
}

// Write acknowledgements carry nothing the tool reads; once the register is
// seen to echo the sequence byte, that byte tells a stale one.
TEST(LateReply, StaleWriteAcknowledgementDoesNotCompleteTheNextRecord)
{
    DriverRig rig;
    int acknowledged = 0;
    rig.driver.setReplyHandler(116, [&](const QByteArray &) {
        ++acknowledged;
        rig.driver.send(116, articleIndex(acknowledged) + QByteArray(54, '\0'));
    });
    auto ack = [&](int sequence) { return replyFrame(116, articleIndex(0), sequence); };
    rig.driver.send(116, articleIndex(0) + QByteArray(54, '\0'));
    rig.driver.received(ack(1));
    rig.driver.received(ack(3));
    ASSERT_TRUE(rig.driver.sequenceEchoed());
    rig.driver.retryTick();          // record 2 (sequence 5) repeated
    rig.driver.received(ack(5));     // answered: record 3 goes out with 7
    EXPECT_EQ(rig.driver.received(ack(5)), ArrivalResult{ArrivalOutcome::StaleReply});
    EXPECT_EQ(acknowledged, 3);
    EXPECT_TRUE(rig.driver.replyAwaited());
    rig.driver.received(ack(7));
    EXPECT_EQ(acknowledged, 4);
}

TEST(LateReply, RegisterThatDoesNotEchoIsTakenAsBefore)
{
    DriverRig rig;
    int acknowledged = 0;
    rig.driver.setReplyHandler(116, [&](const QByteArray &) {
        if (++acknowledged < 5)
            rig.driver.send(116, articleIndex(acknowledged) + QByteArray(54, '\0'));
    });
    rig.driver.send(116, articleIndex(0) + QByteArray(54, '\0'));
    for (int i = 0; i < 5; ++i)
        rig.driver.received(replyFrame(116, QByteArray(), 0x77)); // always the same byte
    EXPECT_EQ(acknowledged, 5);
    EXPECT_FALSE(rig.driver.sequenceEchoed());
}

TEST(LateReply, GiveUpForgetsTheEcho)
{
    DriverRig rig;
    rig.driver.send(101, QByteArray(1, '\0'));
    rig.driver.received(replyFrame(101, QByteArray(1, '\0'), 1));
    rig.driver.send(101, QByteArray(1, '\1'));
    rig.driver.received(replyFrame(101, QByteArray(1, '\1'), 3));
    ASSERT_TRUE(rig.driver.sequenceEchoed());
    rig.driver.send(101, QByteArray(1, '\2'));
    for (int i = 0; i < 4; ++i)
        rig.driver.retryTick();
    EXPECT_FALSE(rig.driver.sequenceEchoed());
}

// After a cancel nothing more is sent, whatever arrives: the reply to the
// request and the replies to its repeats alike.
TEST(Cancel, LateRepliesAfterACancelSendNothing)
{
    ArticleChain chain;
    chain.last = 4000;
    chain.start();
    for (int i = 0; i < 5; ++i)
        chain.driver.received(chain.echo());
    const QByteArray late = chain.echo();
    chain.driver.retryTick();
    chain.driver.retryTick();
    chain.driver.cancel();
    const int writes = chain.port.writes.size();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(chain.driver.received(late), ArrivalResult{ArrivalOutcome::Dropped}) << i;
    chain.driver.received(articleReply(6));
    EXPECT_EQ(chain.port.writes.size(), writes);
    EXPECT_EQ(chain.driver.transferIndex(), 5);
    EXPECT_FALSE(chain.driver.isBusy());
    EXPECT_FALSE(chain.timer.active);
    chain.driver.retryTick();
    EXPECT_EQ(chain.port.writes.size(), writes) << "nor is anything repeated";
}

TEST(Cancel, ANewRequestIsAnsweredAgain)
{
    ArticleChain chain;
    chain.start();
    chain.driver.cancel();
    chain.driver.received(chain.echo()); // dropped
    chain.driver.setTransferIndex(0);
    chain.driver.send(115, articleIndex(0));
    chain.driver.received(chain.echo());
    EXPECT_EQ(chain.rows.value(0, -1), 0);
}

} // namespace
