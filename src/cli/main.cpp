// vilaron-cli: register profiles read from, written into and compared with
// Vilaron registers from a script, several registers at a time.
#include "cli/clirun.h"

#include <QCoreApplication>
#include <QLocale>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vilaron-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliRun run(out, err, Regional::system(), isatty(STDERR_FILENO) == 1);
    return run.exec(app.arguments());
}
