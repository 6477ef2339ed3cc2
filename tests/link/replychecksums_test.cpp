// Reply checksums: a reply that line noise changed is not taken, and the
// request is asked again at once; a register whose very first replies all
// fail the check is heard without it, for that link only.
#include "link/driverrig.h"

#include <gtest/gtest.h>

namespace {

const QString UncheckedNotice =
    QStringLiteral("каса шаље неисправне контролне збирове; подаци се примају без провере");

// One data byte changed on the line, the checksums left as they were.
QByteArray corrupted(QByteArray frame, int dataByte = 3)
{
    frame[9 + dataByte] = char(frame[9 + dataByte] ^ 0x10);
    return frame;
}

struct Checksums : DriverRig {
    Checksums() { driver.send(107, QByteArray(1, '\3')); }
    // A tax-rate reply for one index: the index, then a rate of 20,00.
    static QByteArray rate(int index) { return replyFrame(107, QByteArray(1, char(index)) + QByteArray::fromHex("D007")); }
    int writes() const { return int(port.writes.size()); }
};

TEST(ReplyChecksums, CorruptedReplyIsRefusedAndAskedForAgainAtOnce)
{
    for (Split split : {Split::Whole, Split::ByteByByte}) {
        Checksums rig;
        const QByteArray request = rig.port.last();
        rig.feed(corrupted(rig.rate(3)), split);
        EXPECT_TRUE(rig.handled.isEmpty()) << splitName(split);
        EXPECT_EQ(rig.completed(), ArrivalResult{ArrivalOutcome::BadChecksum}) << splitName(split);
        EXPECT_EQ(rig.eventKinds().mid(1), (QList<LinkEventKind>{LinkEventKind::BadChecksum,
                                                                 LinkEventKind::RequestRepeated}));
        EXPECT_EQ(rig.events[1].bytes, corrupted(rig.rate(3))) << "the bad frame is traced as it came";
        EXPECT_EQ(rig.writes(), 2);
        EXPECT_EQ(rig.port.last(), request) << "the same request, sequence byte and all";
        EXPECT_EQ(rig.driver.retryCount(), 1) << "counted as one of the repeats";
        EXPECT_EQ(rig.driver.sequenceCounter(), 1);
        rig.feed(rig.rate(3), split);
        ASSERT_EQ(rig.handled.size(), 1) << splitName(split);
        EXPECT_EQ(rig.handled[0], rig.rate(3)) << "the register's value, not the corrupted one";
        EXPECT_TRUE(rig.driver.checksumsChecked());
    }
}

TEST(ReplyChecksums, AfterTheLastRepeatTheNoReplyRuleApplies)
{
    Checksums rig;
    rig.driver.received(rig.rate(3)); // a right reply: this register computes them
    rig.driver.send(107, QByteArray(1, '\4'));
    for (int i = 0; i < 5; ++i)
        rig.driver.received(corrupted(rig.rate(4)));
    EXPECT_EQ(rig.writes(), 2 + ExchangeDriver::MaxRepeats) << "three repeats, no more";
    EXPECT_EQ(rig.handled.size(), 1);
    EXPECT_TRUE(rig.driver.checksumsChecked()) << "one right reply settles it";
    QList<QString> messages;
    QObject::connect(&rig.notices, &DriverNotices::message, [&](const QString &, const QString &t) { messages << t; });
    rig.driver.retryTick();
    EXPECT_EQ(messages, QList<QString>{QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке")});
}

TEST(ReplyChecksums, RegisterWithItsOwnChecksumsIsHeardWithoutTheCheck)
{
    Checksums rig;
    QByteArray rate = rig.rate(3);
    rate[rate.size() - 3] = char(rate[rate.size() - 3] ^ 0x5A); // its own CRC1
    for (int i = 0; i < ChecksumTrust::Evidence; ++i)
        rig.driver.received(rate);
    ASSERT_EQ(rig.handled.size(), 1) << "the third wrong reply in a row is taken";
    EXPECT_FALSE(rig.driver.checksumsChecked());
    EXPECT_EQ(rig.statuses.count(UncheckedNotice), 1);
    rig.driver.send(107, QByteArray(1, '\4'));
    QByteArray next = rig.rate(4);
    next[next.size() - 2] = char(next[next.size() - 2] ^ 0x11);
    rig.driver.received(next);
    EXPECT_EQ(rig.handled.size(), 2);
    EXPECT_EQ(rig.statuses.count(UncheckedNotice), 1) << "said once";
    int notices = 0;
    QStringList counted;
    for (const LinkEvent &e : rig.events) {
        notices += e.kind == LinkEventKind::ChecksumsUnchecked && e.text == UncheckedNotice;
        if (e.kind == LinkEventKind::ReplyAccepted)
            counted << e.text;
    }
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(counted, (QStringList{QStringLiteral("неисправан контролни збир, примљено без провере (1.)"),
                                    QStringLiteral("неисправан контролни збир, примљено без провере (2.)")}));

    rig.driver.linkOpened(); // another link: learned afresh
    EXPECT_TRUE(rig.driver.checksumsChecked());
    rig.driver.send(107, QByteArray(1, '\5'));
    rig.driver.received(corrupted(rig.rate(5)));
    EXPECT_EQ(rig.handled.size(), 2);
}

} // namespace
