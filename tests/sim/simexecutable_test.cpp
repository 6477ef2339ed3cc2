#include "sim/registerstate.h"
#include "sim/serialtestline.h"
#include "sim/testframes.h"

#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using TestFrames::dataOf;
using TestFrames::hex;
using TestFrames::request;

namespace {

// The simulator executable, started with some options; stopped with SIGTERM.
class Simulator {
public:
    explicit Simulator(const QStringList &args)
    {
        m_process.setProgram(QStringLiteral(VILARON_SIM_EXECUTABLE));
        m_process.setArguments(args);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return;
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running)
            m_process.waitForReadyRead(200);
        m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator() { stop(); }

    QString path() const { return m_path; }
    QProcess &process() { return m_process; }

    // SIGTERM, then the exit code (-1 when it did not end by itself).
    int stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
            return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
    QString m_path;
};

// Runs the executable to its end and returns its exit code and output.
int runToEnd(const QStringList &args, QByteArray *out, QByteArray *err)
{
    QProcess p;
    p.start(QStringLiteral(VILARON_SIM_EXECUTABLE), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    *out = p.readAllStandardOutput();
    *err = p.readAllStandardError();
    return p.exitCode();
}

} // namespace

TEST(SimExecutable, AnswersATaxRateReadOnThePrintedPath)
{
    Simulator sim({QStringLiteral("--demo")});
    ASSERT_TRUE(sim.path().startsWith(QLatin1String("/dev/pts/"))) << sim.path().toStdString();
    SerialTestLine line(sim.path());
    ASSERT_TRUE(line.isOpen()) << line.error().toStdString();
    // Tax index 0, serial 123, sequence 1.
    ASSERT_TRUE(line.send(hex("AA 01 11 00 01 23 01 6B 01 00 4D F3 0D")));
    ASSERT_TRUE(line.waitForBytes(17));
    const QByteArray reply = line.take();
    // The demo register's rate А is 20 %: 2000 hundredths, D0 07.
    EXPECT_EQ(reply.toHex(' '), TestFrames::withChecksums(hex("AA 01 11 00 01 23 01 6B 05 00 20 80 D0 07")).toHex(' '));
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimExecutable, SilentNeverAnswers)
{
    Simulator sim({QStringLiteral("--silent")});
    SerialTestLine line(sim.path());
    ASSERT_TRUE(line.isOpen()) << line.error().toStdString();
    ASSERT_TRUE(line.send(request(107, "00")));
    EXPECT_FALSE(line.waitForBytes(1, 300));
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimExecutable, SplitRepliesComeInPieces)
{
    Simulator sim({QStringLiteral("--split"), QStringLiteral("--demo")});
    SerialTestLine line(sim.path());
    ASSERT_TRUE(line.isOpen());
    ASSERT_TRUE(line.send(request(115, "00 00")));
    ASSERT_TRUE(line.waitForBytes(77));
    EXPECT_GE(line.chunks(), 2);
    const QByteArray reply = line.take();
    EXPECT_EQ(reply.size(), 77);
    EXPECT_TRUE(TestFrames::checksumsRight(reply));
    EXPECT_EQ(dataOf(reply).mid(2, 37), RegisterState::demo().articles[0].name);
}

TEST(SimExecutable, BaudPacesTheRepliesAtTheLineRate)
{
    Simulator sim({QStringLiteral("--demo"), QStringLiteral("--baud"), QStringLiteral("57600")});
    SerialTestLine line(sim.path());
    ASSERT_TRUE(line.isOpen());
    // 75 article reads at once: 75 replies of 77 bytes, about one second of line.
    QByteArray burst;
    for (int i = 0; i < 75; ++i)
        burst += TestFrames::frame("00 01 23", (2 * i + 1) & 0xFF, 115, QByteArray(1, char(i)) + QByteArray(1, '\0'));
    ASSERT_TRUE(line.send(burst));
    const int total = 75 * 77;
    ASSERT_TRUE(line.waitForBytes(total, 10000));
    const double seconds = line.spanSeconds();
    const int afterFirst = total - line.firstChunkSize();
    const double rate = afterFirst / seconds;
    std::printf("paced: %d bytes in %.3f s after the first arrival: %.0f bytes/s\n", afterFirst, seconds, rate);
    EXPECT_NEAR(rate, 5760.0, 5760.0 * 0.05);
    const QList<QByteArray> frames = TestFrames::splitFrames(line.take());
    ASSERT_EQ(frames.size(), 75);
    EXPECT_EQ(static_cast<int>(dataOf(frames[74])[0]), 74);
}

TEST(SimExecutable, LinkIsMadeAndRemovedOnTerminate)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("register"));
    Simulator sim({QStringLiteral("--link"), link});
    ASSERT_FALSE(sim.path().isEmpty());
    const QFileInfo info(link);
    ASSERT_TRUE(info.isSymLink());
    EXPECT_EQ(info.symLinkTarget(), sim.path());
    {
        SerialTestLine line(link);
        ASSERT_TRUE(line.isOpen()) << line.error().toStdString();
        ASSERT_TRUE(line.send(request(121, "")));
        ASSERT_TRUE(line.waitForBytes(12));
    }
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(SimExecutable, StateIsWrittenOnExitAndLoadedAtStart)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("register.json"));
    {
        Simulator sim({QStringLiteral("--state"), file});
        SerialTestLine line(sim.path());
        ASSERT_TRUE(line.isOpen());
        ASSERT_TRUE(line.send(request(108, "04 20 85 34 12")));
        ASSERT_TRUE(line.waitForBytes(13));
        EXPECT_EQ(sim.stop(), 0);
    }
    RegisterState saved = RegisterState::blank();
    QString error;
    ASSERT_TRUE(saved.load(file, &error)) << error.toStdString();
    EXPECT_EQ(saved.taxRates[4], 0x1234);

    Simulator again({QStringLiteral("--state"), file});
    SerialTestLine line(again.path());
    ASSERT_TRUE(line.isOpen());
    ASSERT_TRUE(line.send(request(107, "04")));
    ASSERT_TRUE(line.waitForBytes(17));
    EXPECT_EQ(dataOf(line.take()), hex("04 20 85 34 12"));
}

TEST(SimExecutable, CorruptStateFileIsRefusedWithAMessage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("broken.json"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": \"vilaron-register-state\", \"version\": 1, \"taxRates\": [");
    f.close();
    QByteArray out, err;
    EXPECT_EQ(runToEnd({QStringLiteral("--state"), file}, &out, &err), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("damaged")) << err.toStdString();
    // The damaged file is left as it was.
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("\"taxRates\": ["));
}

TEST(SimExecutable, HelpAndBadOptions)
{
    QByteArray out, err;
    EXPECT_EQ(runToEnd({QStringLiteral("--help")}, &out, &err), 0);
    for (const char *option : {"--link", "--demo", "--silent", "--drop-every", "--delay", "--split", "--noise",
                               "--bad-checksums", "--corrupt-every", "--baud", "--trace", "--state"})
        EXPECT_TRUE(out.contains(option)) << option;
    EXPECT_EQ(runToEnd({QStringLiteral("--drop-every"), QStringLiteral("0")}, &out, &err), 2);
    EXPECT_TRUE(err.contains("--drop-every")) << err.toStdString();
    EXPECT_EQ(runToEnd({QStringLiteral("--baud"), QStringLiteral("fast")}, &out, &err), 2);
    EXPECT_EQ(runToEnd({QStringLiteral("stray")}, &out, &err), 2);
}

TEST(SimExecutable, TracePrintsRequestsAndReplies)
{
    Simulator sim({QStringLiteral("--trace")});
    SerialTestLine line(sim.path());
    ASSERT_TRUE(line.isOpen());
    ASSERT_TRUE(line.send(request(121, "")));
    ASSERT_TRUE(line.waitForBytes(12));
    EXPECT_EQ(sim.stop(), 0);
    const QByteArray err = sim.process().readAllStandardError();
    EXPECT_TRUE(err.contains("<- 121 end of dialogue")) << err.toStdString();
    EXPECT_TRUE(err.contains("-> 121 end of dialogue")) << err.toStdString();
    EXPECT_TRUE(err.contains("AA 01 11 00 01 23 01 79 00 5A E0 0D"));
}

// --listen serves raw frames over TCP beside the pseudo-terminal, and
// --serial leaves requests for another register unanswered on both lines.
TEST(SimExecutable, ListensOnTcpAndAnswersOnlyItsSerialNumber)
{
    Simulator sim({QStringLiteral("--demo"), QStringLiteral("--serial"), QStringLiteral("000123"), QStringLiteral("--listen"),
                   QStringLiteral("tcp:127.0.0.1:0")});
    if (!sim.process().canReadLine())
        sim.process().waitForReadyRead(5000);
    const QString listen = QString::fromLocal8Bit(sim.process().readLine()).trimmed();
    ASSERT_TRUE(listen.startsWith(QLatin1String("tcp:127.0.0.1:"))) << listen.toStdString();
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(listen.section(QLatin1Char(':'), 2).toUInt()));
    ASSERT_TRUE(socket.waitForConnected(5000));
    // Another register's request first: only the second one is answered.
    socket.write(TestFrames::frame("00 04 56", 1, 107, hex("00")) + request(107, "00", 3));
    QByteArray replies;
    while (replies.size() < 17 && socket.waitForReadyRead(5000))
        replies += socket.readAll();
    const QList<QByteArray> frames = TestFrames::splitFrames(replies);
    ASSERT_EQ(frames.size(), 1) << replies.toHex(' ').constData();
    EXPECT_EQ(frames.first().mid(3, 4).toHex(' '), QByteArray("00 01 23 03"));

    SerialTestLine line(sim.path());
    ASSERT_TRUE(line.isOpen());
    ASSERT_TRUE(line.send(TestFrames::frame("00 04 56", 5, 107, hex("00")) + request(107, "00", 7)));
    ASSERT_TRUE(line.waitForBytes(17));
    EXPECT_EQ(TestFrames::splitFrames(line.take()).size(), 1);
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimExecutable, RefusesAListenAddressOrSerialNumberItCannotUse)
{
    for (const QStringList &args : {QStringList{"--listen", "127.0.0.1:4001"}, QStringList{"--listen", "tcp:127.0.0.1:x"},
                                    QStringList{"--serial", "12345"}, QStringList{"--serial", "12a456"}}) {
        QByteArray out, err;
        EXPECT_EQ(runToEnd(args, &out, &err), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("vilaron-register-sim: --")) << err.constData();
    }
}
