#include "sim/ptyregister.h"
#include "sim/serialtestline.h"
#include "sim/testframes.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using TestFrames::dataOf;
using TestFrames::hex;
using TestFrames::request;

namespace {

// The tax-rate read of index 2 (serial 123, sequence 1).
const char *const kTaxRead2 = "AA 01 11 00 01 23 01 6B 01 02 4F F1 0D";

} // namespace

TEST(SimPty, TaxRateReadThroughQSerialPort)
{
    PtyRegister reg;
    ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
    EXPECT_TRUE(reg.slavePath().startsWith(QLatin1String("/dev/pts/")));
    reg.state().taxRates[2] = 850;

    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.isOpen()) << line.error().toStdString();
    // The request as the protocol spells it: serial 123, sequence 1, index 2.
    ASSERT_EQ(request(107, "02"), hex(kTaxRead2));
    ASSERT_TRUE(line.send(hex(kTaxRead2)));
    ASSERT_TRUE(line.waitForBytes(17));
    const QByteArray reply = line.take();
    EXPECT_EQ(reply.left(9), hex("AA 01 11 00 01 23 01 6B 05"));
    EXPECT_EQ(dataOf(reply), hex("02 20 84 52 03"));
    EXPECT_TRUE(TestFrames::checksumsRight(reply));
    EXPECT_EQ(reg.requestCount(), 1);
    EXPECT_EQ(reg.replyCount(), 1);
    EXPECT_EQ(reg.log(), (QList<RegisterResponder::Handled>{{107, 2}}));
}

TEST(SimPty, SlaveCanBeOpenedAndClosedRepeatedly)
{
    PtyRegister reg;
    ASSERT_TRUE(reg.isOpen());
    for (int round = 0; round < 5; ++round) {
        SerialTestLine line(reg.slavePath());
        ASSERT_TRUE(line.isOpen()) << "round " << round << ": " << line.error().toStdString();
        ASSERT_TRUE(line.send(request(119, "00", 2 * round + 1)));
        ASSERT_TRUE(line.waitForBytes(40)) << "round " << round;
        EXPECT_EQ(static_cast<unsigned char>(line.take()[6]), 2 * round + 1);
    }
    EXPECT_EQ(reg.requestCount(), 5);
}

TEST(SimPty, WritesThroughTheLineLandInTheState)
{
    PtyRegister reg;
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.isOpen());
    ASSERT_TRUE(line.send(request(108, "05 20 86 E8 03") + request(104, "0100000002000000 05", 3)));
    ASSERT_TRUE(line.waitForBytes(13 + 12));
    EXPECT_EQ(reg.state().taxRates[5], 1000);
    EXPECT_EQ(reg.state().servicePassword, 1u);
    EXPECT_EQ(reg.state().reportPassword, 2u);
    EXPECT_EQ(reg.state().logoHeight, 5);
}

TEST(SimPty, FullArticleReadOfFourThousandRoundTrips)
{
    PtyRegister reg(RegisterState::demo());
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.isOpen());
    int index = 0;
    int bad = 0;
    int sequence = 1;
    QByteArray pending;
    QElapsedTimer timer;
    timer.start();
    QObject::connect(&line.port(), &QSerialPort::readyRead, [&] {
        pending += line.take();
        while (pending.size() >= 77) {
            const QByteArray reply = pending.left(77);
            pending.remove(0, 77);
            if (dataOf(reply).left(2) != QByteArray(1, char(index & 0xFF)) + char(index >> 8)
                || dataOf(reply).mid(2, 37) != reg.state().articles[index].name)
                ++bad;
            ++index;
            sequence = (sequence + 2) & 0xFF;
            if (index < 4000) {
                QByteArray data(1, char(index & 0xFF));
                data.append(char(index >> 8));
                line.port().write(TestFrames::frame("00 01 23", sequence, 115, data));
            }
        }
    });
    line.port().write(request(115, "00 00"));
    ASSERT_TRUE(waitUntil([&] { return index >= 4000; }, 60000)) << "stopped at " << index;
    const qint64 ms = timer.elapsed();
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(reg.log().size(), 4000);
    EXPECT_EQ(reg.log().constLast(), (RegisterResponder::Handled{115, 3999}));
    std::printf("4000 article round trips in %lld ms\n", static_cast<long long>(ms));
}

TEST(SimPty, DropEveryThirdReply)
{
    PtyRegister reg;
    PtyRegister::Faults f;
    f.dropEvery = 3;
    reg.setFaults(f);
    SerialTestLine line(reg.slavePath());
    QByteArray burst;
    for (int i = 0; i < 6; ++i)
        burst += request(107, QByteArray::number(i, 16).rightJustified(2, '0').constData(), 2 * i + 1);
    ASSERT_TRUE(line.send(burst));
    ASSERT_TRUE(line.waitForBytes(4 * 17));
    ASSERT_TRUE(waitUntil([&] { return reg.requestCount() == 6; }, 2000));
    const QList<QByteArray> frames = TestFrames::splitFrames(line.take());
    ASSERT_EQ(frames.size(), 4);
    // Replies 3 and 6 are lost on the way; the register still acted on them.
    const int expectedIndexes[] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(static_cast<int>(dataOf(frames[i])[0]), expectedIndexes[i]);
    EXPECT_EQ(reg.droppedCount(), 2);
    EXPECT_EQ(reg.log().size(), 6);
}

TEST(SimPty, NoiseAndBadChecksums)
{
    PtyRegister reg;
    PtyRegister::Faults f;
    f.noise = true;
    f.badChecksums = true;
    reg.setFaults(f);
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.send(request(121, "")));
    ASSERT_TRUE(line.waitForBytes(3 + 12));
    const QByteArray got = line.take();
    EXPECT_EQ(got.left(3), QByteArrayLiteral("OK\r"));
    const QByteArray reply = got.mid(3);
    // Start byte, layout, code and trailer right; the checksums wrong.
    EXPECT_EQ(reply.left(9), hex("AA 01 11 00 01 23 01 79 00"));
    EXPECT_EQ(reply.right(1), hex("0D"));
    EXPECT_NE(reply.mid(9, 1), hex("5A"));
    EXPECT_NE(reply.mid(10, 1), hex("E0"));
}

TEST(SimPty, SplitRepliesArriveInPiecesAndWhole)
{
    PtyRegister reg(RegisterState::demo());
    PtyRegister::Faults f;
    f.split = true;
    reg.setFaults(f);
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.send(request(117, "00")));
    ASSERT_TRUE(line.waitForBytes(116));
    EXPECT_GE(line.chunks(), 2);
    const QByteArray reply = line.take();
    EXPECT_EQ(reply.size(), 116);
    EXPECT_TRUE(TestFrames::checksumsRight(reply));
    EXPECT_EQ(dataOf(reply).mid(1, 19), reg.state().operators[0].name);
}

TEST(SimPty, DelayedReplyWaitsInTheQueue)
{
    PtyRegister reg;
    PtyRegister::Faults f;
    f.delayMs = 150;
    reg.setFaults(f);
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.send(request(103, "")));
    ASSERT_TRUE(waitUntil([&] { return reg.requestCount() == 1; }, 2000));
    EXPECT_TRUE(reg.outputPending());
    EXPECT_TRUE(line.received().isEmpty());
    ASSERT_TRUE(line.waitForBytes(21));
    EXPECT_FALSE(reg.outputPending());
}

TEST(SimPty, SilentRegisterActsButNeverAnswers)
{
    PtyRegister reg;
    PtyRegister::Faults f;
    f.silent = true;
    reg.setFaults(f);
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.send(request(108, "01 20 83 0A 00")));
    ASSERT_TRUE(waitUntil([&] { return reg.requestCount() == 1; }, 2000));
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(line.received().isEmpty());
    EXPECT_EQ(reg.replyCount(), 0);
    EXPECT_EQ(reg.droppedCount(), 1);
    EXPECT_EQ(reg.state().taxRates[1], 10);
}

TEST(SimPty, BadRequestsGetNoReplyButAreTraced)
{
    PtyRegister reg;
    QStringList traced;
    QObject::connect(&reg, &PtyRegister::trace, [&](const QString &l) { traced << l; });
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.send(hex("AA 01 11 00 01 23 01 79 00 5B E0 0D") + QByteArrayLiteral("xy") + request(121, "")));
    ASSERT_TRUE(line.waitForBytes(12));
    EXPECT_EQ(line.take(), hex("AA 01 11 00 01 23 01 79 00 5A E0 0D"));
    EXPECT_EQ(reg.rejectedCount(), 1);
    ASSERT_EQ(traced.size(), 4) << traced.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(traced[0].contains(QLatin1String("bad checksums")));
    EXPECT_TRUE(traced[1].contains(QLatin1String("2 bytes outside frames")));
    EXPECT_TRUE(traced[2].startsWith(QLatin1String("<- 121 end of dialogue")));
    EXPECT_TRUE(traced[3].contains(QLatin1String("AA 01 11 00 01 23 01 79 00 5A E0 0D")));
}

TEST(SimPty, ClosedMasterHangsUpTheProgramsPort)
{
    PtyRegister reg;
    SerialTestLine line(reg.slavePath());
    ASSERT_TRUE(line.isOpen());
    QSignalSpy errors(&line.port(), &QSerialPort::errorOccurred);
    reg.closeMaster();
    EXPECT_FALSE(reg.isOpen());
    ASSERT_TRUE(waitUntil([&] {
        for (const QList<QVariant> &e : errors) {
            const auto code = e.at(0).value<QSerialPort::SerialPortError>();
            if (code == QSerialPort::ResourceError || code == QSerialPort::ReadError)
                return true;
        }
        return false;
    }, 3000));
    line.port().close();
}

TEST(SimPty, FlushLineDropsRepliesNobodyRead)
{
    PtyRegister reg;
    {
        // A program that writes a request and closes the line unread.
        const int fd = ::open(reg.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        const QByteArray req = request(121, "");
        ASSERT_EQ(::write(fd, req.constData(), req.size()), req.size());
        ASSERT_TRUE(waitUntil([&] { return reg.replyCount() == 1; }, 2000));
        ::close(fd);
    }
    reg.flushLine();
    SerialTestLine again(reg.slavePath());
    ASSERT_TRUE(again.send(request(107, "00", 3)));
    ASSERT_TRUE(again.waitForBytes(17));
    const QByteArray got = again.take();
    EXPECT_EQ(got.left(9), hex("AA 01 11 00 01 23 03 6B 05"));
}
