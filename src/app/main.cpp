#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/uistyle.h"
#include "app/windowshells.h"

#include <QApplication>
#include <QTextStream>

// vilaron-setup [--port PATH]
// Without arguments the register port starts as "COM1"; --port preselects
// another port name or device path (the simulator's pseudo-terminal).
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravix"));
    QApplication::setFont(UiStyle::baseFont());

    MainWindowOptions options;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--port") && i + 1 < args.size()) {
            options.registerPort = args[++i];
        } else if (args[i].startsWith(QLatin1String("--port="))) {
            options.registerPort = args[i].mid(7);
        } else {
            QTextStream(stderr) << "usage: vilaron-setup [--port PATH]\n";
            return 2;
        }
    }

    // The five windows, in this order; each exists once for the whole run.
    MainWindow mainForm(options);
    MessageDialog dialog(&mainForm);
    mainForm.setMessageDialog(&dialog);
    WindowShell search(QStringLiteral("frmTrazi"), QStringLiteral("TfrmTrazi"), QStringLiteral("Претрага"), &mainForm);
    WindowShell report(QStringLiteral("izvestajForm"), QStringLiteral("TizvestajForm"), QStringLiteral("Извештај"),
                       &mainForm);
    WindowShell terminal(QStringLiteral("frmTerminal"), QStringLiteral("TfrmTerminal"), QStringLiteral("Terminal"),
                         &mainForm);

    mainForm.show();
    return app.exec();
}
