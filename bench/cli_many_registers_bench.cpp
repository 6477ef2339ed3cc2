// Writes one full profile (every family but the passwords) with vilaron-cli
// into one register and then into eight at once, each register a simulator
// process paced at 57600 baud, and prints the times and the processor time
// the tool used.
//
//   cli_many_registers_bench [--registers N]
#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

// Processor seconds (user and system) of the children waited for so far.
double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Run {
    int status = -1;
    double seconds = 0;
    double cpuSeconds = 0;
};

// Runs the tool to its end. The simulators are still running, so the
// children's processor time that grows meanwhile is the tool's alone.
Run runTool(const QStringList &arguments)
{
    Run run;
    const double cpuBefore = childCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(QStringLiteral(VILARON_CLI_PATH), arguments);
    if (!tool.waitForFinished(-1))
        return run;
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.status = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.cpuSeconds = childCpuSeconds() - cpuBefore;
    return run;
}

QStringList registerArguments(const std::vector<std::unique_ptr<SimulatorProcess>> &sims, int count)
{
    QStringList arguments;
    for (int i = 0; i < count; ++i)
        arguments << QStringLiteral("--register") << QStringLiteral("%1=%2").arg(sims[std::size_t(i)]->path()).arg(100001 + i);
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int many = 8;
    const int at = int(args.indexOf(QStringLiteral("--registers")));
    if (at >= 0 && at + 1 < args.size())
        many = qBound(1, args[at + 1].toInt(), 32);
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    QTemporaryDir dir;
    const QString profile = dir.filePath(QStringLiteral("shop"));
    {
        // The profile: everything a demo register holds but its passwords.
        SimulatorProcess source({QStringLiteral("--demo")});
        if (source.path().isEmpty())
            return 1;
        const Run read = runTool({QStringLiteral("--register"), source.path() + QStringLiteral("=100000"),
                                  QStringLiteral("read"), profile});
        if (read.status != 0) {
            std::fprintf(stderr, "reading the profile failed (%d)\n", read.status);
            return 1;
        }
    }

    std::vector<std::unique_ptr<SimulatorProcess>> sims;
    for (int i = 0; i < many; ++i) {
        sims.push_back(std::make_unique<SimulatorProcess>(
            QStringList{QStringLiteral("--demo"), QStringLiteral("--baud"), QStringLiteral("57600")}));
        if (sims.back()->path().isEmpty())
            return 1;
    }
    const QStringList write{QStringLiteral("write"), profile};

    const Run one = runTool(registerArguments(sims, 1) + write);
    std::printf("one register:    status %d, %.2f s, tool cpu %.2f s (%.1f %% of one core)\n", one.status,
                one.seconds, one.cpuSeconds, 100.0 * one.cpuSeconds / one.seconds);
    const Run all = runTool(registerArguments(sims, many) + write);
    std::printf("%d registers:     status %d, %.2f s, tool cpu %.2f s (%.1f %% of one core)\n", many, all.status,
                all.seconds, all.cpuSeconds, 100.0 * all.cpuSeconds / all.seconds);
    std::printf("time ratio %d : 1 = %.3f\n", many, all.seconds / one.seconds);
    return one.status == 0 && all.status == 0 ? 0 : 1;
}
