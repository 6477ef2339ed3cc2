// The register line over TCP against the same over a pseudo-terminal, and
// what the tool adds to each exchange against a bare client.
//
//   network_line_bench [--runs N]
//
// 1. A full unpaced article read (4000 exchanges) through the article family
//    and the exchange driver to the simulator, over its pseudo-terminal and
//    over tcp:// to its --listen port: seconds per read.
// 2. The turnaround per exchange over tcp:// (from the moment the reply's
//    last byte is handed to the program to the moment the next request is
//    handed to the socket), median and 99th percentile, for the tool and for
//    a bare loop that does nothing but send the next read on the same
//    simulator.
#include "link/exchangedriver.h"
#include "link/qtretrytimer.h"
#include "link/serialline.h"
#include "params/articles/articlefamily.h"
#include "protocol/commands.h"
#include "protocol/fields.h"
#include "protocol/frame.h"

#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString ReadDone = QStringLiteral("Завршено читање артикала");
constexpr int Articles = 4000;

QElapsedTimer &benchClock()
{
    static QElapsedTimer c;
    if (!c.isValid())
        c.start();
    return c;
}

// The register line as the driver sees it, with the time of every write.
class TimedPort : public LinkPort {
public:
    explicit TimedPort(SerialLine &line) : m_line(line) {}
    bool isOpen() const override { return m_line.isOpen(); }
    bool write(const QByteArray &bytes, QString *error) override
    {
        const qint64 now = benchClock().nsecsElapsed();
        if (lastArrival > 0)
            turnarounds.push_back(now - lastArrival);
        lastArrival = 0;
        return m_line.write(bytes, error);
    }
    qint64 lastArrival = 0;
    std::vector<qint64> turnarounds;

private:
    SerialLine &m_line;
};

struct Stack {
    SerialLine line{SerialSettings::registerPort()};
    TimedPort port{line};
    QtRetryTimer timer{5000};
    ExchangeDriver driver{port, timer};
    FamilyContext context{driver, Regional::comma()};
    ArticleFamily articles{context};
    QString lastStatus;

    Stack()
    {
        QObject::connect(&line, &SerialLine::bytesArrived, [this] { port.lastArrival = benchClock().nsecsElapsed(); });
        QObject::connect(&line, &SerialLine::bytesArrived, &driver, &ExchangeDriver::received);
        QObject::connect(&timer, &QtRetryTimer::expired, &driver, &ExchangeDriver::retryTick);
        QObject::connect(&articles, &ParameterFamily::status, [this](const QString &s) { lastStatus = s; });
        driver.setSerialNumberSource([] { return QStringLiteral("123456"); });
    }

    bool open(const QString &name)
    {
        line.setPortName(name);
        QString error;
        if (!line.open(&error)) {
            std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(name), qPrintable(error));
            return false;
        }
        return true;
    }

    double read()
    {
        lastStatus.clear();
        port.turnarounds.clear();
        const qint64 start = benchClock().nsecsElapsed();
        articles.btnAReadClick();
        QEventLoop loop;
        QObject::connect(&articles, &ParameterFamily::status, &loop, [&](const QString &s) {
            if (s == ReadDone)
                loop.quit();
        });
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
        return lastStatus == ReadDone ? (benchClock().nsecsElapsed() - start) / 1e9 : -1;
    }
};

// A bare client: the next article read goes out as soon as the reply is whole.
std::vector<qint64> bareLoop(const QString &host, quint16 portNumber)
{
    std::vector<qint64> turnarounds;
    QTcpSocket socket;
    socket.connectToHost(host, portNumber);
    if (!socket.waitForConnected(3000))
        return turnarounds;
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const Fields::SerialBytes serial = Fields::packSerial(QStringLiteral("123456"));
    auto request = [&](int index) {
        QByteArray data(2, '\0');
        Fields::putU16(data, 0, std::uint32_t(index));
        return Frame::build(serial, std::uint8_t(index * 2 + 1), Command::ReadArticle, data);
    };
    QByteArray pending;
    int index = 0;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        const qint64 arrived = benchClock().nsecsElapsed();
        pending += socket.readAll();
        if (pending.size() < Frame::Overhead || pending.size() < Frame::Overhead + quint8(pending[Frame::LengthOffset]))
            return;
        pending.clear();
        if (++index == Articles) {
            loop.quit();
            return;
        }
        turnarounds.push_back(benchClock().nsecsElapsed() - arrived);
        socket.write(request(index));
        socket.flush();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    socket.write(request(0));
    socket.flush();
    loop.exec();
    return turnarounds;
}

void report(const char *what, std::vector<qint64> ns)
{
    if (ns.empty()) {
        std::printf("%s: no exchanges\n", what);
        return;
    }
    std::sort(ns.begin(), ns.end());
    const double median = ns[ns.size() / 2] / 1e3;
    const double p99 = ns[std::min(ns.size() - 1, ns.size() * 99 / 100)] / 1e3;
    std::printf("%s: %zu exchanges, turnaround median %.1f µs, 99th percentile %.1f µs\n", what, ns.size(), median, p99);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QStringList args = app.arguments();
    int runs = 3;
    const int runsAt = int(args.indexOf(QStringLiteral("--runs")));
    if (runsAt >= 0 && runsAt + 1 < args.size())
        runs = qMax(1, args[runsAt + 1].toInt());

    SimulatorProcess sim({QStringLiteral("--demo"), QStringLiteral("--listen"), QStringLiteral("tcp:127.0.0.1:0")});
    const QString listen = sim.nextLine(); // "tcp:127.0.0.1:PORT"
    const quint16 tcpPort = quint16(listen.section(QLatin1Char(':'), 2).toUInt());
    if (sim.path().isEmpty() || tcpPort == 0) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    const QString url = QStringLiteral("tcp://127.0.0.1:%1").arg(tcpPort);
    std::vector<qint64> tool;
    for (int i = 0; i < runs; ++i) {
        Stack pty;
        if (!pty.open(sim.path()))
            return 1;
        const double overPty = pty.read();
        pty.line.close();
        Stack tcp;
        if (!tcp.open(url))
            return 1;
        const double overTcp = tcp.read();
        tool.insert(tool.end(), tcp.port.turnarounds.begin(), tcp.port.turnarounds.end());
        tcp.line.close();
        std::printf("run %d: full article read over the pseudo-terminal %.3f s, over tcp:// %.3f s\n", i + 1, overPty,
                    overTcp);
    }
    report("the tool over tcp://", tool);
    std::vector<qint64> bare;
    for (int i = 0; i < runs; ++i) {
        const qint64 start = benchClock().nsecsElapsed();
        const std::vector<qint64> one = bareLoop(QStringLiteral("127.0.0.1"), tcpPort);
        std::printf("run %d: %d article reads by a bare loop over TCP %.3f s\n", i + 1, Articles,
                    (benchClock().nsecsElapsed() - start) / 1e9);
        bare.insert(bare.end(), one.begin(), one.end());
    }
    report("a bare loop over TCP", bare);
    return 0;
}
