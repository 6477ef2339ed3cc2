#include "link/portfacts.h"
#include "link/portmessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <unistd.h>

using PortFacts::Cause;

namespace {

struct CauseCase {
    int osError;
    QSerialPort::SerialPortError error;
    Cause cause;
};

class CauseOf : public ::testing::TestWithParam<CauseCase> {};

struct TextCase {
    const char *portName;
    const char *device;
    int osError;
    Cause cause;
    const char *portLine;
    const char *causeLine;
    const char *whatToDo;
};

class OpenFailureText : public ::testing::TestWithParam<TextCase> {};

void writeLock(const QString &path, const QByteArray &content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QString ownProgram()
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(::getpid()));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
}

} // namespace

TEST_P(CauseOf, ErrorNumberGivesTheCause)
{
    EXPECT_EQ(PortFacts::causeOf(GetParam().osError, GetParam().error), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, CauseOf,
    ::testing::Values(CauseCase{ENOENT, QSerialPort::DeviceNotFoundError, Cause::Missing},
                      CauseCase{ENXIO, QSerialPort::OpenError, Cause::Missing},
                      CauseCase{ENODEV, QSerialPort::OpenError, Cause::Missing},
                      CauseCase{EACCES, QSerialPort::PermissionError, Cause::Permission},
                      CauseCase{EBUSY, QSerialPort::PermissionError, Cause::InUse},
                      CauseCase{EIO, QSerialPort::OpenError, Cause::Other}));

TEST_P(OpenFailureText, FirstLineThenDeviceCauseAndCure)
{
    const TextCase &c = GetParam();
    const QStringList lines =
        PortMessages::openFailure(QString::fromUtf8(c.portName), QString::fromUtf8(c.device), c.osError, c.cause)
            .split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Problem u otvaranju porta (win error code: %1)").arg(c.osError));
    EXPECT_EQ(lines[1], QString::fromUtf8(c.portLine));
    EXPECT_EQ(lines[2], QStringLiteral("Узрок: ") + QString::fromUtf8(c.causeLine));
    EXPECT_EQ(lines[3], QStringLiteral("Шта урадити: ") + QString::fromUtf8(c.whatToDo));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OpenFailureText,
    ::testing::Values(
        TextCase{"COM2", "/dev/ttyS1", 2, Cause::Missing, "Порт: COM2 (/dev/ttyS1)", "уређај не постоји или није прикључен.",
                 "проверите кабл и назив порта."},
        TextCase{"/dev/ttyUSB0", "/dev/ttyUSB0", 13, Cause::Permission, "Порт: /dev/ttyUSB0",
                 "корисник нема дозволу да користи серијске портове.",
                 "додајте корисника у групу dialout (sudo usermod -aG dialout $USER), па се одјавите и поново "
                 "пријавите."},
        TextCase{"/dev/ttyUSB1", "/dev/ttyUSB1", 16, Cause::InUse, "Порт: /dev/ttyUSB1", "порт користи други програм.",
                 "затворите тај програм или изаберите други порт."},
        TextCase{"COM1", "/dev/ttyS0", 5, Cause::Other, "Порт: COM1 (/dev/ttyS0)", "систем није дозволио отварање порта.",
                 "проверите кабл и уређај, па покушајте поново."}));

TEST(PortMessages, InUseNamesTheHolderWhenKnown)
{
    const QString text = PortMessages::openFailure(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0"),
                                                   16, Cause::InUse, PortFacts::Holder{4321, QStringLiteral("minicom")});
    EXPECT_TRUE(text.contains(QStringLiteral("Узрок: порт користи други програм: minicom (PID 4321).")))
        << text.toStdString();
    const QString pidOnly = PortMessages::openFailure(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0"),
                                                      16, Cause::InUse, PortFacts::Holder{77, QString()});
    EXPECT_TRUE(pidOnly.contains(QStringLiteral("Узрок: порт користи други програм (PID 77).")));
}

TEST(PortMessages, DeviceLostIsCyrillicAndNamesThePort)
{
    const QStringList lines =
        PortMessages::deviceLost(QStringLiteral("COM3"), QStringLiteral("/dev/ttyS2")).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Веза са уређајем је прекинута; порт је затворен."));
    EXPECT_EQ(lines[1], QStringLiteral("Порт: COM3 (/dev/ttyS2)"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Шта урадити: ")));
}

TEST(PortFacts, HolderComesFromTheLockFileOfTheDevice)
{
    QTemporaryDir locks;
    ASSERT_TRUE(locks.isValid());
    // uucp style: the pid padded to ten characters.
    writeLock(QDir(locks.path()).filePath(QStringLiteral("LCK..ttyUSB0")),
              QByteArray::number(qint64(::getpid())).rightJustified(10, ' ') + "\n");
    const auto holder = PortFacts::holderOf(QStringLiteral("/dev/ttyUSB0"), {locks.path()});
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, ::getpid());
    EXPECT_EQ(holder->program, ownProgram());
    EXPECT_FALSE(holder->program.isEmpty());
    // Another device has no holder.
    EXPECT_FALSE(PortFacts::holderOf(QStringLiteral("/dev/ttyUSB1"), {locks.path()}).has_value());
}

TEST(PortFacts, LockOfQSerialPortNamesPathsBelowDevWithUnderscores)
{
    QTemporaryDir locks;
    writeLock(QDir(locks.path()).filePath(QStringLiteral("LCK..serial_by-id_usb-FTDI-if00")),
              QByteArray::number(qint64(::getpid())) + "\nsomeprogram\nhost\n");
    const auto holder = PortFacts::holderOf(QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"), {locks.path()});
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, ::getpid());
}

TEST(PortFacts, StaleOrBrokenLocksNameNobody)
{
    QTemporaryDir locks;
    // A pid far above any the kernel hands out, and junk.
    writeLock(QDir(locks.path()).filePath(QStringLiteral("LCK..ttyS0")), "2147483000\n");
    writeLock(QDir(locks.path()).filePath(QStringLiteral("LCK..ttyS1")), "\x01\x02junk");
    EXPECT_FALSE(PortFacts::holderOf(QStringLiteral("/dev/ttyS0"), {locks.path()}).has_value());
    EXPECT_FALSE(PortFacts::holderOf(QStringLiteral("/dev/ttyS1"), {locks.path()}).has_value());
}
