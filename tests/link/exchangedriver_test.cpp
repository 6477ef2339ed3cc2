#include "link/exchangedriver.h"
#include "transfer/drivernotices.h"
#include "core/programerror.h"
#include "support/fakelink.h"
#include "support/replychecksums.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString NoReplyTitle = QStringLiteral("Грешка !!! ");
const QString NoReplyText = QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке");

// A reply frame with the given command and data and right checksums.
QByteArray reply(int command, const QByteArray &data = QByteArray())
{
    QByteArray f = hexBytes("AA 01 11 00 00 00 01");
    f.append(char(command));
    f.append(char(data.size()));
    f.append(data);
    f.append('\0').append('\0').append('\x0D');
    return withRightChecksums(f);
}

class DriverTest : public ::testing::Test {
protected:
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    DriverNotices notices{driver};
    QList<QByteArray> handled;
    QList<QPair<QString, QString>> messages;
    QStringList statuses;
    QStringList errors;

    void SetUp() override
    {
        driver.setSerialNumberSource([] { return QStringLiteral("123"); });
        for (int code : {101, 107, 115})
            driver.setReplyHandler(std::uint8_t(code), [this](const QByteArray &f) { handled.append(f); });
        QObject::connect(&notices, &DriverNotices::message,
                         [this](const QString &t, const QString &x) { messages.append({t, x}); });
        QObject::connect(&notices, &DriverNotices::status, [this](const QString &s) { statuses.append(s); });
        QObject::connect(&driver, &ExchangeDriver::programError, [this](const QString &e) { errors.append(e); });
    }
    void feedByteByByte(const QByteArray &bytes)
    {
        for (char c : bytes)
            driver.received(QByteArray(1, c));
    }
};

} // namespace

TEST_F(DriverTest, SendWritesTheFrameAndArmsTheRetry)
{
    QSignalSpy started(&driver, &ExchangeDriver::requestStarted);
    driver.send(121);
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 01 23 01 79 00 5A E0 0D"));
    EXPECT_TRUE(timer.active);
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_EQ(driver.retryCount(), 0);
    EXPECT_EQ(started.count(), 1);
    EXPECT_TRUE(driver.isBusy());
}

class WholeOrPieces : public DriverTest, public ::testing::WithParamInterface<int> {};

TEST_P(WholeOrPieces, ReplyIsAcceptedWhenItsTrailerArrives)
{
    driver.send(107, hexBytes("00"));
    QSignalSpy accepted(&driver, &ExchangeDriver::replyAccepted);
    const QByteArray frame = reply(107, hexBytes("00 20 80 D0 07"));
    const int piece = GetParam();
    for (int i = 0; i < frame.size(); i += piece) {
        EXPECT_TRUE(handled.isEmpty());
        driver.received(frame.mid(i, piece));
    }
    ASSERT_EQ(handled.size(), 1);
    EXPECT_EQ(handled[0], frame);
    EXPECT_FALSE(timer.active);
    EXPECT_FALSE(driver.replyAwaited());
    EXPECT_EQ(driver.sequenceCounter(), 3);
    EXPECT_EQ(driver.receiveCount(), 0);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(driver.isBusy()) << "the handler sent nothing more";
}

INSTANTIATE_TEST_SUITE_P(Pieces, WholeOrPieces, ::testing::Values(1, 3, 7, 100));

TEST_F(DriverTest, FramesThatDoNotMatchStayCollected)
{
    struct Case {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"13 bytes with length byte 2", hexBytes("AA 01 11 00 00 00 01 65 02 00 00 00 0D")},
        {"unknown command", reply(105, hexBytes("00"))},
        {"wrong trailer", reply(101, hexBytes("00")).replace(12, 1, "\x0E")},
    };
    for (const Case &c : cases) {
        driver.send(101, hexBytes("00")); // a new request starts from an empty buffer
        driver.received(c.bytes);
        EXPECT_TRUE(handled.isEmpty()) << c.name;
        EXPECT_EQ(driver.receiveCount(), c.bytes.size()) << c.name;
        EXPECT_TRUE(driver.replyAwaited()) << c.name;
    }
}

TEST_F(DriverTest, SerialAndSequenceAreNotExamined)
{
    driver.send(101, hexBytes("00"));
    driver.received(withRightChecksums(hexBytes("AA 99 99 98 76 54 F3 65 01 00 12 34 0D")));
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(DriverTest, UnansweredRequestIsWrittenFourTimesThenGivenUp)
{
    QSignalSpy gaveUp(&driver, &ExchangeDriver::gaveUp);
    QSignalSpy cancellable(&driver, &ExchangeDriver::cancellableChanged);
    QSignalSpy stopped(&driver, &ExchangeDriver::stopped);
    driver.send(101, hexBytes("00"));
    const QByteArray request = port.last();
    for (int tick = 1; tick <= 3; ++tick) {
        ASSERT_TRUE(timer.active);
        driver.retryTick();
        EXPECT_EQ(port.writes.size(), tick + 1);
        EXPECT_EQ(port.last(), request) << "repeats are the same bytes";
        EXPECT_EQ(driver.retryCount(), tick);
        EXPECT_TRUE(messages.isEmpty());
    }
    driver.retryTick();
    EXPECT_EQ(port.writes.size(), 4);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], qMakePair(NoReplyTitle, NoReplyText));
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(driver.retryCount(), 0);
    EXPECT_EQ(driver.requestLength(), 0) << "the send buffer is cleared";
    EXPECT_EQ(gaveUp.count(), 1);
    EXPECT_EQ(cancellable.last().at(0).toBool(), false);
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_FALSE(driver.isBusy());
    EXPECT_TRUE(driver.replyAwaited()) << "left as it is";
    driver.retryTick();
    EXPECT_EQ(messages.size(), 1) << "nothing more after the give-up";
}

TEST_F(DriverTest, ClosedPortGivesUpAtTheFirstTick)
{
    driver.send(101, hexBytes("00"));
    port.open = false;
    driver.retryTick();
    EXPECT_EQ(port.writes.size(), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].second, NoReplyText);
}

TEST_F(DriverTest, LateReplyAfterGiveUpIsStillHandled)
{
    driver.send(115, hexBytes("0000"));
    for (int i = 0; i < 4; ++i)
        driver.retryTick();
    ASSERT_EQ(messages.size(), 1);
    driver.received(reply(115, QByteArray(65, '\0')));
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(DriverTest, AnswerAtTheThirdRepeatThenNextRequestStartsAfresh)
{
    driver.send(101, hexBytes("00"));
    driver.retryTick();
    driver.retryTick();
    driver.retryTick();
    EXPECT_EQ(driver.retryCount(), 3);
    driver.received(reply(101, hexBytes("00")));
    EXPECT_EQ(handled.size(), 1);
    driver.send(101, hexBytes("01"));
    EXPECT_EQ(driver.retryCount(), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(port.last()[6]), 3) << "sequence byte moved on by 2";
}

TEST_F(DriverTest, CancelDropsTheNextBytesAndClearsTheStatus)
{
    driver.send(115, hexBytes("0000"));
    driver.cancel();
    EXPECT_FALSE(timer.active);
    EXPECT_FALSE(driver.replyAwaited());
    EXPECT_TRUE(driver.cancelFlag());
    EXPECT_FALSE(driver.isBusy());
    driver.received(reply(115, QByteArray(65, '\0')));
    EXPECT_TRUE(handled.isEmpty());
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_EQ(statuses.last(), QString());
    EXPECT_FALSE(driver.cancelFlag());
    EXPECT_EQ(driver.receiveCount(), 0);
    EXPECT_EQ(driver.sequenceCounter(), 1);
}

TEST_F(DriverTest, CancelBeforeAnyExchangeDropsTheFirstBytes)
{
    QSignalSpy cancellable(&driver, &ExchangeDriver::cancellableChanged);
    driver.cancel();
    EXPECT_EQ(cancellable.last().at(0).toBool(), false);
    driver.received(QByteArray("OK\r"));
    EXPECT_EQ(statuses, QStringList{QString()}) << "dropped, not shown";
    driver.received(QByteArray("OK\r"));
    EXPECT_EQ(statuses.last(), QStringLiteral("OK"));
}

TEST_F(DriverTest, CancelFlagAtATickGivesUp)
{
    driver.cancel();
    driver.send(101, hexBytes("00")); // a new transfer while the flag is still set
    driver.retryTick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(driver.cancelFlag());
}

TEST_F(DriverTest, TextOutsideFramesGoesToTheStatusLine)
{
    driver.received(hexBytes("4F 4B 0D"));
    EXPECT_EQ(statuses, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(driver.receiveCount(), 0);
    driver.received(QByteArray("\x01") + QByteArray("\xCA\xE0\xF1\xE0")); // control byte skipped, cp1251
    EXPECT_EQ(statuses.last(), QStringLiteral("Каса"));
}

TEST_F(DriverTest, TextFollowedByAReplyInOneArrival)
{
    driver.send(101, hexBytes("00"));
    driver.received(QByteArray("OK\r") + reply(101, hexBytes("00")));
    EXPECT_EQ(statuses.first(), QStringLiteral("OK"));
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(DriverTest, WriteFailureShowsTheErrorAndLeavesTheRetryArmed)
{
    port.failWrites = true;
    driver.send(101, hexBytes("00"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].first, QStringLiteral("ГРЕШКА"));
    EXPECT_EQ(messages[0].second, port.failureText);
    EXPECT_TRUE(timer.active);
    EXPECT_TRUE(driver.replyAwaited());
}

TEST_F(DriverTest, ChainedRequestThatCannotGoOutHidesTheCancelButton)
{
    driver.setReplyHandler(115, [this](const QByteArray &) { driver.send(115, hexBytes("0100")); });
    driver.startCancellableTransfer();
    QSignalSpy cancellable(&driver, &ExchangeDriver::cancellableChanged);
    port.failWrites = true;
    driver.send(115, hexBytes("0000"));
    EXPECT_EQ(cancellable.count(), 0) << "the first request's failure leaves it to the retry timer";
    driver.received(reply(115, QByteArray(65, '\0')));
    ASSERT_EQ(cancellable.count(), 1);
    EXPECT_FALSE(cancellable[0][0].toBool());
    EXPECT_EQ(messages.last().first, QStringLiteral("ГРЕШКА"));
}

TEST_F(DriverTest, WriteFailureDuringARepeatEndsTheTransfer)
{
    driver.send(101, hexBytes("00"));
    port.failWrites = true;
    driver.retryTick();
    EXPECT_EQ(errors, QStringList{port.failureText});
    EXPECT_FALSE(timer.active);
    EXPECT_FALSE(driver.isBusy()) << "not left hanging";
    EXPECT_EQ(driver.requestLength(), 0);
}

TEST_F(DriverTest, HandlerErrorsAreReportedAndTheDriverGoesOn)
{
    driver.setReplyHandler(111, [](const QByteArray &) { throw ConversionError::integer(QStringLiteral("x")); });
    driver.send(111, hexBytes("00"));
    driver.received(reply(111, QByteArray(30, '\0')));
    EXPECT_EQ(errors, QStringList{QStringLiteral("'x' is not a valid integer value")});
    EXPECT_FALSE(driver.isBusy());
    driver.send(101, hexBytes("00"));
    driver.received(reply(101, hexBytes("00")));
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(DriverTest, HandlerThatSendsKeepsTheTransferBusy)
{
    QSignalSpy busy(&driver, &ExchangeDriver::busyChanged);
    int replies = 0;
    driver.setReplyHandler(113, [&](const QByteArray &) {
        if (++replies < 3)
            driver.send(113, hexBytes("00"));
    });
    driver.send(113, hexBytes("00"));
    for (int i = 0; i < 3; ++i)
        driver.received(reply(113, QByteArray(27, '\0')));
    EXPECT_EQ(replies, 3);
    ASSERT_EQ(busy.count(), 2) << "busy once, idle once, not toggling per record";
    EXPECT_FALSE(driver.isBusy());
}

TEST_F(DriverTest, BytesArrivingDuringAHandlerWaitForIt)
{
    int depth = 0;
    int maxDepth = 0;
    int calls = 0;
    driver.setReplyHandler(113, [&](const QByteArray &) {
        ++depth;
        maxDepth = qMax(maxDepth, depth);
        if (++calls == 1)
            driver.received(reply(113, QByteArray(27, '\0'))); // as if during a modal message
        --depth;
    });
    driver.received(reply(113, QByteArray(27, '\0')));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(maxDepth, 1) << "the handler is never re-entered";
}

TEST_F(DriverTest, EndOfDialogue)
{
    QSignalSpy progress(&notices, &DriverNotices::progress);
    QSignalSpy ended(&driver, &ExchangeDriver::dialogueEnded);
    driver.endDialogue();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 01 23 01 79 00 5A E0 0D"));
    driver.received(reply(121));
    EXPECT_EQ(statuses.last(), QStringLiteral("Прекинут дијалог са касом"));
    ASSERT_EQ(progress.count(), 1);
    EXPECT_EQ(progress[0][0].toInt(), 16);
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(DriverTest, SequenceByteWrapsAfter128Replies)
{
    for (int i = 0; i < 128; ++i) {
        driver.send(101, hexBytes("00"));
        driver.received(reply(101, hexBytes("00")));
    }
    driver.send(101, hexBytes("00"));
    EXPECT_EQ(static_cast<std::uint8_t>(port.last()[6]), 1);
}

TEST_F(DriverTest, EndlessFrameNeverOverflowsAndDoesNotBlockTheNextReply)
{
    driver.send(101, hexBytes("00"));
    QByteArray junk(1000, '\x55');
    junk[0] = '\xAA';
    driver.received(junk);
    EXPECT_LE(driver.receiveCount(), 260);
    driver.send(101, hexBytes("01")); // a new request forgets the stale bytes
    driver.received(reply(101, hexBytes("00")));
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(DriverTest, RepeatForgetsAStalePartialFrame)
{
    driver.send(101, hexBytes("00"));
    driver.received(hexBytes("AA 01 11 00 00 00 01 65 05"));
    driver.retryTick();
    driver.received(reply(101, hexBytes("00")));
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(DriverTest, ResetRestoresTheStartState)
{
    driver.send(101, hexBytes("00"));
    driver.received(reply(101, hexBytes("00")));
    driver.received(hexBytes("AA 01"));
    driver.reset();
    EXPECT_EQ(driver.sequenceCounter(), 1);
    EXPECT_EQ(driver.receiveCount(), 0);
    EXPECT_FALSE(driver.replyAwaited());
    EXPECT_FALSE(driver.cancelFlag());
}
