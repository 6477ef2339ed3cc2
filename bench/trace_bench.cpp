// What the link trace costs: full unpaced reads of all 4000 articles through
// the register session and a simulator process, with the trace window open
// and following the newest row, against the same reads with nothing traced.
// Then the memory held by a full trace of 100 000 article frames.
//
//   trace_bench [--runs N]   (N pairs, 9 by default)
#include "simulatorprocess.h"

#include "app/trace/tracewindow.h"
#include "link/linktrace.h"
#include "link/tracerecorder.h"
#include "params/articles/articlefamily.h"
#include "session/registersession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

const QString ReadDone = QStringLiteral("Завршено читање артикала");

// Processor time this process has used, in seconds: the trace's own work,
// without the simulator's share or the scheduler's noise.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

struct Measure {
    double wall = -1;
    double cpu = 0;
};

Measure readAllArticles(RegisterSession &session)
{
    QString last;
    const auto watch = QObject::connect(&session, &RegisterSession::status, [&](const QString &s) { last = s; });
    QElapsedTimer clock;
    const double cpuBefore = cpuSeconds();
    clock.start();
    session.articles().btnAReadClick();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if ((last == ReadDone && !session.driver().isBusy()) || clock.elapsed() > 120000)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    QObject::disconnect(watch);
    Measure m;
    m.cpu = cpuSeconds() - cpuBefore;
    if (last == ReadDone)
        m.wall = clock.nsecsElapsed() / 1e9;
    return m;
}

// Resident memory in kilobytes.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runsAt = int(args.indexOf(QStringLiteral("--runs")));
    const int runs = runsAt >= 0 && runsAt + 1 < args.size() ? qMax(1, args[runsAt + 1].toInt()) : 9;
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    SimulatorProcess sim({QStringLiteral("--demo")});
    SessionOptions options;
    options.registerPort = sim.path();
    RegisterSession session(options);
    session.setSerialNumberSource([] { return QStringLiteral("004512"); });
    QString error;
    if (sim.path().isEmpty() || !session.registerLine().open(&error)) {
        std::fprintf(stderr, "cannot open the simulator: %s\n", qPrintable(error));
        return 1;
    }

    // The window is opened once, as a technician would, and drawn before
    // the first read: the reads compare tracing with the window following
    // against no trace at all, not the cost of opening a window.
    TraceWindow window(session.trace(), {});
    window.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const auto untraced = [&] {
        QObject::disconnect(&session.driver(), &ExchangeDriver::linkEvent, &session.trace(), nullptr);
        QObject::disconnect(&session.registerLine(), nullptr, &session.trace(), nullptr);
        return readAllArticles(session);
    };
    const auto traced = [&] {
        QObject::disconnect(&session.driver(), &ExchangeDriver::linkEvent, &session.trace(), nullptr);
        QObject::disconnect(&session.registerLine(), nullptr, &session.trace(), nullptr);
        LinkTrace::connect(session.trace(), session.driver(), session.registerLine());
        return readAllArticles(session);
    };
    // Pairs in alternating order, so a machine that slows down or speeds up
    // during the run favours neither side; the medians ignore the odd pair
    // the scheduler spoils.
    std::vector<double> wallRatios, cpuRatios;
    double with = 0, without = 0;
    for (int i = 0; i < runs; ++i) {
        Measure plain, followed;
        if (i % 2 == 0) {
            plain = untraced();
            followed = traced();
        } else {
            followed = traced();
            plain = untraced();
        }
        if (plain.wall < 0 || followed.wall < 0) {
            std::fprintf(stderr, "run %d: a read did not finish\n", i + 1);
            return 1;
        }
        std::printf("run %d: untraced %.3f s (processor %.3f s), traced with the window following %.3f s "
                    "(processor %.3f s): %+.1f %% time, %+.1f %% processor, %d events kept\n",
                    i + 1, plain.wall, plain.cpu, followed.wall, followed.cpu,
                    100.0 * (followed.wall / plain.wall - 1.0), 100.0 * (followed.cpu / plain.cpu - 1.0),
                    session.trace().size());
        wallRatios.push_back(followed.wall / plain.wall);
        cpuRatios.push_back(followed.cpu / plain.cpu);
        with += followed.wall;
        without += plain.wall;
    }
    std::printf("mean: untraced %.3f s, traced %.3f s, cost %+.2f %%\n", without / runs, with / runs,
                100.0 * (with / without - 1.0));
    std::printf("median of %d pairs: time %+.2f %%, processor time of the tool %+.2f %%\n", runs,
                100.0 * (median(wallRatios) - 1.0), 100.0 * (median(cpuRatios) - 1.0));

    window.hide();
    TraceRecorder full;
    const QByteArray frame(77, '\x55'); // an article read reply
    const long before = residentKb();
    for (int i = 0; i < TraceRecorder::DefaultCapacity; ++i)
        full.record(TraceKind::ReplyAccepted, QByteArray(frame.constData(), frame.size()));
    const long after = residentKb();
    std::printf("100000 events of 77 bytes: %ld KB resident (%.0f bytes an event)\n", after - before,
                (after - before) * 1024.0 / TraceRecorder::DefaultCapacity);
    return 0;
}
