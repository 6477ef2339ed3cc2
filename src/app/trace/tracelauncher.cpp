#include "app/trace/tracelauncher.h"

#include "app/trace/tracewindow.h"
#include "link/serialline.h"
#include "session/registersession.h"
#include "vilaronversion.h"

#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace TraceLauncher {

void attach(QWidget *mainWindow, QPushButton *button, RegisterSession &session,
            std::function<QString()> serialNumber)
{
    SerialLine *line = &session.registerLine();
    TraceWindow::Source source{[] { return QStringLiteral("vilaron-setup %1").arg(QLatin1String(VilaronVersion)); },
                               [line] { return SerialLine::deviceFor(line->portName()); },
                               std::move(serialNumber)};
    auto window = std::make_shared<QPointer<TraceWindow>>();
    auto open = [mainWindow, &session, source, window] {
        if (!*window) {
            *window = new TraceWindow(session.trace(), source, mainWindow);
            QObject::connect(*window, &TraceWindow::message, &session, &RegisterSession::message);
            QObject::connect(*window, &TraceWindow::status, &session, &RegisterSession::status);
        }
        (*window)->show();
        (*window)->raise();
        (*window)->activateWindow();
    };
    QObject::connect(button, &QPushButton::clicked, mainWindow, open);
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), mainWindow);
    QObject::connect(shortcut, &QShortcut::activated, mainWindow, open);
}

} // namespace TraceLauncher
