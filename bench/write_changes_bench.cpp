// Changes-only writes of articles through the whole session: the register
// mirror, the exchange driver, QSerialPort, a pseudo-terminal and the register
// simulator as its own process, paced at 57600 baud both ways.
//
//   write_changes_bench
//
// After a full read, 50 edited articles are written as changes; then every
// article is edited, a full write is cancelled once article 634 is
// acknowledged, and the write of changes finishes it. Each time is printed
// against the time the bytes of those exchanges need on the wire.
#include "simulatorprocess.h"

#include "params/articles/articlefamily.h"
#include "session/registersession.h"
#include "session/registersync.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstdio>

namespace {

const QString Articles = QStringLiteral("articles");
constexpr int StopAfter = 633; // the last article acknowledged before the cancel
// Bytes on the line per article write, both ways: the record and the acknowledgement.
constexpr int WriteBytes = (56 + 12) + (1 + 12);
constexpr double BytesPerSecond = 57600.0 / 10.0;

double wireTime(int writes) { return writes * WriteBytes / BytesPerSecond; }

// Seconds until the session reports the end of an article transfer, or -1.
double timed(RegisterSession &session, const std::function<void()> &start, QString *outcome)
{
    QString end;
    auto c = QObject::connect(&session, &RegisterSession::transferFinished,
                              [&](const QString &, bool, TransferOutcome o) { end = TransferOutcomes::key(o); });
    QElapsedTimer clock;
    clock.start();
    start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if ((!end.isEmpty() && !session.driver().isBusy()) || clock.elapsed() > 300000)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    QObject::disconnect(c);
    if (outcome)
        *outcome = end;
    return end.isEmpty() ? -1 : clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SimulatorProcess sim({QStringLiteral("--demo"), QStringLiteral("--baud"), QStringLiteral("57600")});
    if (sim.path().isEmpty())
        return 1;
    RegisterSession::Options options;
    options.regional = Regional::comma();
    options.registerPort = sim.path();
    RegisterSession session(options);
    session.setSerialNumberSource([] { return QStringLiteral("123456"); });
    session.reset();
    QString error;
    if (!session.registerLine().open(&error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(sim.path()), qPrintable(error));
        return 1;
    }
    ArticleTableModel &table = session.articles().model();
    QString outcome;

    const double read = timed(session, [&] { session.articles().btnAReadClick(); }, &outcome);
    std::printf("full read %.3f s (%s)\n", read, qPrintable(outcome));

    for (int i = 0; i < 50; ++i)
        table.setCell(11 + i * 79, ArticleTableModel::Price, QStringLiteral("%1,50").arg(200 + i));
    RegisterSync::Plan plan;
    const double changes = timed(session, [&] { plan = session.sync().writeChanges(Articles); }, &outcome);
    std::printf("write of changes: %d sent, %d skipped, %.3f s, wire time %.3f s, ratio %.4f (%s)\n", plan.toSend,
                plan.skipped, changes, wireTime(plan.toSend), changes / wireTime(plan.toSend), qPrintable(outcome));

    for (int r = 0; r < ArticleTableModel::RowCount; ++r)
        table.setCell(r, ArticleTableModel::Name, QStringLiteral("ИЗМЕНА %1").arg(r));
    auto stop = QObject::connect(&session, &RegisterSession::recordConfirmed,
                                 [&](const QString &, int index, const QByteArray &) {
                                     if (index == StopAfter)
                                         QTimer::singleShot(0, &session, &RegisterSession::cancel);
                                 });
    const double stopped = timed(session, [&] { session.articles().btnAWriteClick(); }, &outcome);
    QObject::disconnect(stop);
    std::printf("full write cancelled after article %d: %.3f s (%s)\n", StopAfter + 1, stopped, qPrintable(outcome));
    // A late acknowledgement of the cancelled request is let through first.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();

    const double resumed = timed(session, [&] { plan = session.sync().writeChanges(Articles); }, &outcome);
    std::printf("resumed write: %d sent, %d skipped, %.3f s, wire time %.3f s, ratio %.4f (%s)\n", plan.toSend,
                plan.skipped, resumed, wireTime(plan.toSend), resumed / wireTime(plan.toSend), qPrintable(outcome));
    return 0;
}
