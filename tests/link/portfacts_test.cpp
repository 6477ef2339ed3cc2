#include "link/portfacts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

namespace {

#ifdef Q_OS_UNIX

TEST(PortFacts, ComLabelsAreTheFirstFourSerialDevices)
{
    EXPECT_EQ(PortFacts::deviceFor(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(PortFacts::deviceFor(QStringLiteral("com4")), QStringLiteral("/dev/ttyS3"));
}

struct OpeningCase {
    const char *name;
    const char *path; // inside a scratch folder holding "file" and "folder"
    QSerialPort::SerialPortError portError;
    int expected;
};

class OpeningErrorNumber : public ::testing::TestWithParam<OpeningCase> {};

// The error number is what the system says about the device, not what
// QSerialPort guessed, except for a device that opens: another program holds it.
TEST_P(OpeningErrorNumber, FoundFromTheDevice)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QFile file(scratch.filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("folder")));

    const OpeningCase &c = GetParam();
    EXPECT_EQ(PortFacts::openingError(scratch.filePath(QString::fromLatin1(c.path)), c.portError),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, OpeningErrorNumber,
    ::testing::Values(
        OpeningCase{"Missing", "ttyUSB9", QSerialPort::DeviceNotFoundError, ENOENT},
        OpeningCase{"BelowAFile", "file/tty", QSerialPort::DeviceNotFoundError, ENOTDIR},
        OpeningCase{"Folder", "folder", QSerialPort::OpenError, EISDIR},
        OpeningCase{"HeldByAnotherProgram", "file", QSerialPort::PermissionError, EBUSY},
        OpeningCase{"OpensButRefused", "file", QSerialPort::OpenError, EIO}),
    [](const ::testing::TestParamInfo<OpeningCase> &info) { return std::string(info.param.name); });

#else

TEST(PortFacts, ComLabelsAreTheSystemsPortNames)
{
    EXPECT_EQ(PortFacts::deviceFor(QStringLiteral("COM1")), QStringLiteral("COM1"));
    EXPECT_EQ(PortFacts::deviceFor(QStringLiteral("com4")), QStringLiteral("COM4"));
}

#endif

} // namespace
