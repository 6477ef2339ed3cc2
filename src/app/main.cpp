#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/standardtexts.h"
#include "app/uistyle.h"
#include "params/articles/articlefamily.h"
#include "report/reportwindow.h"
#include "search/searchwindow.h"
#include "terminal/terminalwindow.h"
#include "vilaronversion.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>

// vilaron-setup [--port PATH] [--version]
// Without arguments the register port starts as "COM1"; --port preselects
// another port name or device path (the simulator's pseudo-terminal).
int main(int argc, char *argv[])
{
    // Answered before the window system is needed, so it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vilaron-setup %s\n", VilaronVersion);
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravix"));
    QApplication::setApplicationVersion(QString::fromLatin1(VilaronVersion));
    QApplication::setFont(UiStyle::baseFont());
    // The standard dialogs speak the window's language.
    if (!StandardTexts::install(app))
        QTextStream(stderr) << "vilaron-setup: the Serbian texts of the standard dialogs are missing\n";

    MainWindowOptions options;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--port") && i + 1 < args.size()) {
            options.registerPort = args[++i];
        } else if (args[i].startsWith(QLatin1String("--port="))) {
            options.registerPort = args[i].mid(7);
        } else {
            QTextStream(stderr) << "usage: vilaron-setup [--port PATH] [--version]\n";
            return 2;
        }
    }

    // The five windows, in this order; each exists once for the whole run.
    MainWindow mainForm(options);
    MessageDialog dialog(&mainForm);
    mainForm.setMessageDialog(&dialog);
    SearchWindow search(mainForm.articles(), &mainForm);
    mainForm.attachSearchWindow(&search);
    ReportWindow report(mainForm.articles().model(), &mainForm);
    mainForm.attachReportWindow(&report);
    TfrmTerminal terminal(mainForm.articles().model(), mainForm.regional(), &mainForm);
    mainForm.attachTerminalWindow(&terminal);

    mainForm.show();
    return app.exec();
}
