// Reads and writes all 4000 articles through the whole stack: the article
// family, the exchange driver, QSerialPort, a pseudo-terminal and the
// register simulator running as its own process.
//
//   article_transfer_bench [--runs N] [--no-paced]
//
// Prints seconds per full read and write against an unpaced simulator, and,
// against a simulator paced at 57600 baud (both ways: a request takes its
// time to come in, a reply to go out), the ratio of the measured time to the
// time all the bytes of the transfer need on the wire.
#include "link/exchangedriver.h"
#include "link/qtretrytimer.h"
#include "link/serialline.h"
#include "params/articles/articlefamily.h"
#include "transfer/drivernotices.h"

#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstdio>

namespace {

const QString ReadDone = QStringLiteral("Завршено читање артикала");
const QString WriteDone = QStringLiteral("Успешно уписани артикли");
// Bytes on the line per exchange, both ways: the request and the reply.
constexpr int ReadBytes = (2 + 12) + (65 + 12);  // index; the article record
constexpr int WriteBytes = (56 + 12) + (1 + 12); // the article record; the acknowledgement
constexpr double BytesPerSecond = 57600.0 / 10.0;

struct Stack {
    SerialLine line{SerialSettings::registerPort()};
    QtRetryTimer timer{5000};
    ExchangeDriver driver{line, timer};
    DriverNotices notices{driver};
    FamilyContext context{driver, Regional::comma()};
    ArticleFamily articles{context};
    QString lastStatus;

    Stack()
    {
        QObject::connect(&line, &SerialLine::bytesArrived, &driver, &ExchangeDriver::received);
        QObject::connect(&timer, &QtRetryTimer::expired, &driver, &ExchangeDriver::retryTick);
        QObject::connect(&articles, &ParameterFamily::status, [this](const QString &s) { lastStatus = s; });
        QObject::connect(&notices, &DriverNotices::message, [](const QString &t, const QString &x) {
            std::fprintf(stderr, "message: %s %s\n", qPrintable(t), qPrintable(x));
        });
        driver.setSerialNumberSource([] { return QStringLiteral("123456"); });
    }

    // Seconds for one transfer, or -1 when it did not finish.
    double run(void (ArticleFamily::*start)(), const QString &done, int timeoutMs)
    {
        lastStatus.clear();
        QElapsedTimer clock;
        clock.start();
        (articles.*start)();
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (lastStatus == done || clock.elapsed() > timeoutMs)
                loop.quit();
        });
        poll.start(1);
        loop.exec();
        return lastStatus == done ? clock.nsecsElapsed() / 1e9 : -1;
    }
};

bool open(Stack &stack, const QString &path)
{
    stack.line.setPortName(path);
    QString error;
    if (!stack.line.open(&error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int runs = 3;
    const int runsAt = int(args.indexOf(QStringLiteral("--runs")));
    if (runsAt >= 0 && runsAt + 1 < args.size())
        runs = qMax(1, args[runsAt + 1].toInt());
    const bool paced = !args.contains(QStringLiteral("--no-paced"));

    {
        SimulatorProcess sim({QStringLiteral("--demo")});
        Stack stack;
        if (sim.path().isEmpty() || !open(stack, sim.path()))
            return 1;
        for (int i = 0; i < runs; ++i) {
            const double read = stack.run(&ArticleFamily::btnAReadClick, ReadDone, 60000);
            const double write = stack.run(&ArticleFamily::btnAWriteClick, WriteDone, 60000);
            std::setvbuf(stdout, nullptr, _IONBF, 0);
            std::printf("unpaced run %d: full read %.3f s, full write %.3f s\n", i + 1, read, write);
        }
    }
    if (paced) {
        SimulatorProcess sim({QStringLiteral("--demo"), QStringLiteral("--baud"), QStringLiteral("57600")});
        Stack stack;
        if (sim.path().isEmpty() || !open(stack, sim.path()))
            return 1;
        const double readWire = 4000.0 * ReadBytes / BytesPerSecond;
        const double writeWire = 4000.0 * WriteBytes / BytesPerSecond;
        const double read = stack.run(&ArticleFamily::btnAReadClick, ReadDone, 200000);
        std::printf("paced 57600: full read %.3f s, wire time %.3f s, ratio %.4f\n", read, readWire, read / readWire);
        const double write = stack.run(&ArticleFamily::btnAWriteClick, WriteDone, 200000);
        std::printf("paced 57600: full write %.3f s, wire time %.3f s, ratio %.4f\n", write, writeWire,
                    write / writeWire);
    }
    return 0;
}
