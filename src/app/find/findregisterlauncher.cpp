#include "app/find/findregisterlauncher.h"

#include "app/find/findregisterwindow.h"
#include "app/portcontrol.h"
#include "link/serialline.h"

#include <QLineEdit>
#include <QPushButton>

namespace FindRegisterLauncher {

void attach(QWidget *mainWindow, QPushButton *button, QLineEdit *serialNumber, PortControl &registerPort,
            SerialLine &scannerLine, RegisterProbe::PortLister ports,
            std::function<void(const QString &, const QString &)> showMessage)
{
    auto *probe = new RegisterProbe(std::move(ports), button);
    auto *window = new FindRegisterWindow(mainWindow);
    QObject::connect(window, &FindRegisterWindow::portChosen, &registerPort, &PortControl::usePort);
    QObject::connect(button, &QPushButton::clicked, probe, [=, &scannerLine] {
        if (probe->running())
            return;
        const QString serial = serialNumber->text().trimmed();
        if (serial.isEmpty()) {
            showMessage(QStringLiteral("Пронађи касу"),
                        QStringLiteral("Упишите серијски број касе у поље \"Сер.бр.касе\", па потражите касу поново."));
            return;
        }
        // The scanner's open port is never written to.
        probe->setLeftAlone(scannerLine.isOpen() ? QStringList{SerialLine::deviceFor(scannerLine.portName())}
                                                 : QStringList{});
        button->setEnabled(false);
        probe->start(serial);
    });
    QObject::connect(probe, &RegisterProbe::finished, window, [=](const QList<RegisterProbe::Result> &results) {
        button->setEnabled(true);
        window->showResults(serialNumber->text().trimmed(), results);
        window->show();
        window->raise();
    });
}

} // namespace FindRegisterLauncher
