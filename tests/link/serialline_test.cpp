#include "link/exchangedriver.h"
#include "link/qtretrytimer.h"
#include "link/serialline.h"
#include "transfer/drivernotices.h"
#include "support/fakelink.h"
#include "support/pty.h"
#include "support/replychecksums.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The register side of a test: the real port layer, the real retry timer
// and the driver, on a pseudo-terminal.
struct Link {
    TestPty pty;
    SerialLine line{SerialSettings::registerPort()};
    QtRetryTimer timer{5000};
    ExchangeDriver driver{line, timer};
    DriverNotices notices{driver};
    QList<QByteArray> replies;
    QList<QPair<QString, QString>> messages;

    Link()
    {
        QObject::connect(&line, &SerialLine::bytesArrived, &driver, &ExchangeDriver::received);
        QObject::connect(&timer, &QtRetryTimer::expired, &driver, &ExchangeDriver::retryTick);
        QObject::connect(&notices, &DriverNotices::message,
                         [this](const QString &t, const QString &x) { messages.append({t, x}); });
        driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
        driver.setReplyHandler(101, [this](const QByteArray &f) { replies.append(f); });
        line.setPortName(pty.slavePath());
    }
};

} // namespace

TEST(SerialLine, OpensAPseudoTerminalDespiteMissingModemLines)
{
    Link link;
    ASSERT_TRUE(link.pty.ok());
    QString error;
    ASSERT_TRUE(link.line.open(&error)) << error.toStdString();
    EXPECT_TRUE(link.line.isOpen());
    EXPECT_EQ(link.line.port().baudRate(), 57600);
    EXPECT_EQ(link.line.port().flowControl(), QSerialPort::NoFlowControl);
    link.line.close();
    EXPECT_FALSE(link.line.isOpen());
}

TEST(SerialLine, MissingDeviceReportsErrorNumberTwo)
{
    SerialLine line(SerialSettings::registerPort());
    line.setPortName(QStringLiteral("/dev/does-not-exist-vilaron"));
    QString error;
    EXPECT_FALSE(line.open(&error));
    const QStringList lines = error.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << error.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Problem u otvaranju porta (win error code: 2)"));
    EXPECT_EQ(lines[1], QStringLiteral("Порт: /dev/does-not-exist-vilaron"));
    EXPECT_EQ(lines[2], QStringLiteral("Узрок: уређај не постоји или није прикључен."));
    EXPECT_FALSE(line.isOpen());
}

TEST(SerialLine, PortHeldByAnotherOpenerSaysSo)
{
    TestPty pty;
    SerialLine first(SerialSettings::registerPort());
    SerialLine second(SerialSettings::registerPort());
    first.setPortName(pty.slavePath());
    second.setPortName(pty.slavePath());
    QString error;
    ASSERT_TRUE(first.open(&error));
    EXPECT_FALSE(second.open(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Problem u otvaranju porta (win error code: ")));
    // The first opener holds the lock file: this very test program.
    QFile comm(QStringLiteral("/proc/self/comm"));
    ASSERT_TRUE(comm.open(QIODevice::ReadOnly));
    const QString self = QString::fromLocal8Bit(comm.readAll().trimmed());
    EXPECT_TRUE(error.contains(QStringLiteral("Узрок: порт користи други програм: %1 (PID %2).")
                                   .arg(self)
                                   .arg(QCoreApplication::applicationPid())))
        << error.toStdString();
}

TEST(SerialLine, ComLabelsStandForTheFirstFourDevices)
{
    EXPECT_EQ(SerialLine::deviceFor(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(SerialLine::deviceFor(QStringLiteral("COM4")), QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(SerialLine::deviceFor(QStringLiteral("/dev/ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
}

TEST(SerialLine, WriteOnAClosedPortFails)
{
    SerialLine line(SerialSettings::registerPort());
    QString error;
    EXPECT_FALSE(line.write(QByteArray("x"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Problem u komunikaciji sa kasom (win error code: ")));
}

TEST(SerialLink, RequestGoesOutExactlyAndAReplyInPiecesIsDispatched)
{
    Link link;
    QString error;
    ASSERT_TRUE(link.line.open(&error)) << error.toStdString();
    // Three accepted replies bring the sequence counter to 7, as in the
    // protocol's worked example of a header-line read.
    for (int i = 0; i < 3; ++i)
        link.driver.received(withRightChecksums(hexBytes("AA 01 11 00 00 00 01 79 00 00 00 0D")));
    link.driver.send(101, hexBytes("00"));
    EXPECT_EQ(link.pty.readExactly(13), hexBytes("AA 01 11 00 45 12 07 65 01 00 80 8E 0D"));
    const QByteArray frame = withRightChecksums(hexBytes("AA 01 11 00 45 12 01 65 05 00 41 42 43 44 00 00 0D"));
    link.pty.write(frame.left(4));
    QTest::qWait(20);
    link.pty.write(frame.mid(4, 6));
    QTest::qWait(20);
    link.pty.write(frame.mid(10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link.replies.isEmpty(); }, 3000));
    EXPECT_EQ(link.replies[0], frame);
    EXPECT_FALSE(link.timer.isActive());
}

TEST(SerialLink, NoReplyWithAShortRetryPeriod)
{
    Link link;
    link.timer.setInterval(30);
    QString error;
    ASSERT_TRUE(link.line.open(&error));
    link.driver.send(101, hexBytes("00"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link.messages.isEmpty(); }, 3000));
    EXPECT_EQ(link.messages[0].first, QStringLiteral("Грешка !!! "));
    EXPECT_EQ(link.pty.readAvailable().size(), 4 * 13) << "written four times";
}

TEST(SerialLink, PullingThePortAwayIsSurvived)
{
    Link link;
    link.timer.setInterval(50);
    QSignalSpy disconnected(&link.line, &SerialLine::disconnected);
    QString error;
    ASSERT_TRUE(link.line.open(&error));
    link.driver.send(101, hexBytes("00"));
    link.pty.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return disconnected.count() > 0; }, 3000));
    EXPECT_FALSE(link.line.isOpen());
    EXPECT_EQ(disconnected.count(), 1) << "reported once, not once per read error";
    // The transfer ends through the give-up at the next tick.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link.messages.isEmpty(); }, 3000));
    EXPECT_EQ(link.messages.last().second,
              QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке"));
    EXPECT_FALSE(link.driver.isBusy());
}
