// Whole profiles over network register lines, through vilaron-cli in this
// process: ser2net's RFC 2217 and raw tcp accepters and the simulator's own
// listener, every family read and written back, the server stopped in the
// middle, and two registers at once on different kinds of line.
#include "cli/clitrace.h"
#include "integration/networkrig.h"
#include "tests/cli/clirig.h"

#include <QFile>

using namespace NetworkRig;

namespace {

// A device server answers in milliseconds, not in microseconds: requests wait
// longer before they are sent again than on a pseudo-terminal.
constexpr int NetworkRetryMs = 1000;

CliOutcome runNetworkCli(const QStringList &arguments) { return runCli(arguments, Regional::comma(), false, NetworkRetryMs); }

const QString Lost = QStringLiteral("Веза са уређајем је прекинута; порт је затворен.");
const QString Confirmed = QStringLiteral("RFC 2217, сервер потврдио: 57600 бод, 8 бита, без парности, 1 стоп бит, "
                                         "без контроле тока");

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class NetworkCli : public ::testing::TestWithParam<Route> {
protected:
    void SetUp() override
    {
        if (needsSer2net(GetParam()) && !Ser2net::installed())
            GTEST_SKIP() << Ser2net::Missing;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(reached.reg.isOpen());
        ASSERT_TRUE(reached.ready()) << "the network path to the register did not come up";
    }
    QString at(const QString &serial) const { return QStringLiteral("--register=%1=%2").arg(reached.url(), serial); }
    QString folder(const QString &name) const { return dir.filePath(name); }

    Reached reached{GetParam(), withIacBytes()};
    QTemporaryDir dir;
};

TEST_P(NetworkCli, EveryFamilyIsReadAndWrittenBackWhole)
{
    const RegisterState original = reached.reg.state();
    const QString trace = folder("trace.txt");
    const CliOutcome read = runNetworkCli({at("123456"), "--trace", trace, "read", folder("p")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();

    reached.reg.state() = RegisterState::blank();
    const CliOutcome write = runNetworkCli({at("123456"), "--verify", "write", folder("p")});
    ASSERT_EQ(write.status, 0) << write.err.toStdString() << write.out.toStdString();
    expectWrittenFieldsEqual(original, reached.reg.state());

    const QString text = readAll(traceFileFor(trace, QStringLiteral("123456")));
    EXPECT_TRUE(text.contains(reached.url())) << text.left(2000).toStdString();
    EXPECT_EQ(text.contains(Confirmed), GetParam() == Route::Rfc2217Ser2net) << text.left(2000).toStdString();
}

TEST_P(NetworkCli, ServerStoppedInMidTransferGivesOneMessage)
{
    reached.stopServerAfter(300);
    const CliOutcome read = runNetworkCli({at("123456"), "--families", "articles", "read", folder("p")});
    EXPECT_EQ(read.status, CliRun::NoAnswer) << read.err.toStdString();
    EXPECT_EQ(read.err.count(Lost), 1) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains(reached.url())) << read.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Routes, NetworkCli,
                         ::testing::Values(Route::Rfc2217Ser2net, Route::RawSer2net, Route::SimulatorListen),
                         [](const auto &info) { return std::string(routeName(info.param)); });

TEST(NetworkCliTwoLines, WritesOverRfc2217AndAPseudoTerminalAtOnce)
{
    if (!Ser2net::installed())
        GTEST_SKIP() << Ser2net::Missing;
    QTemporaryDir dir;
    PtyRegister source{withIacBytes()};
    ASSERT_EQ(runNetworkCli({registerArg(source, "1"), "read", dir.filePath("p")}).status, 0);

    Reached remote{Route::Rfc2217Ser2net, RegisterState::blank()};
    PtyRegister local{RegisterState::blank()};
    ASSERT_TRUE(remote.ready());
    const CliOutcome write = runNetworkCli({QStringLiteral("--register=%1=000001").arg(remote.url()), registerArg(local, "000002"),
                                     "write", dir.filePath("p")});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    expectWrittenFieldsEqual(source.state(), remote.reg.state());
    expectWrittenFieldsEqual(source.state(), local.state());
}

} // namespace
