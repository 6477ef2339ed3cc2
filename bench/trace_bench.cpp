// What the link trace costs: full unpaced reads of all 4000 articles through
// the register session and a simulator process, with the trace window open
// and following the newest row, against the same reads with nothing traced.
// Then the memory held by a full trace of 100 000 article frames.
//
//   trace_bench [--runs N]
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
#include <cstdio>

namespace {

const QString ReadDone = QStringLiteral("Завршено читање артикала");

double readAllArticles(RegisterSession &session)
{
    QString last;
    const auto watch = QObject::connect(&session, &RegisterSession::status, [&](const QString &s) { last = s; });
    QElapsedTimer clock;
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
    return last == ReadDone ? clock.nsecsElapsed() / 1e9 : -1;
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
    const int runs = runsAt >= 0 && runsAt + 1 < args.size() ? qMax(1, args[runsAt + 1].toInt()) : 3;
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

    TraceWindow window(session.trace(), {});
    double with = 0, without = 0;
    for (int i = 0; i < runs; ++i) {
        // Untraced: the recorder hears nothing.
        QObject::disconnect(&session.driver(), &ExchangeDriver::linkEvent, &session.trace(), nullptr);
        window.hide();
        const double plain = readAllArticles(session);
        // Traced, the window open and following.
        LinkTrace::connect(session.trace(), session.driver(), session.registerLine());
        window.show();
        const double traced = readAllArticles(session);
        std::printf("run %d: untraced %.3f s, traced with the window following %.3f s (%+.1f %%), %d events kept\n",
                    i + 1, plain, traced, 100.0 * (traced / plain - 1.0), session.trace().size());
        with += traced;
        without += plain;
        // Each run traces afresh; the port is no longer traced twice.
        QObject::disconnect(&session.registerLine(), nullptr, &session.trace(), nullptr);
        QObject::disconnect(&session.driver(), &ExchangeDriver::linkEvent, &session.trace(), nullptr);
        LinkTrace::connect(session.trace(), session.driver(), session.registerLine());
    }
    std::printf("mean: untraced %.3f s, traced %.3f s, cost %+.2f %%\n", without / runs, with / runs,
                100.0 * (with / without - 1.0));

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
