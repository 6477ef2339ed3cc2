#pragma once

// The main window as the window tests drive it: its message dialog answers
// from a script instead of waiting for a click.
#include "app/mainwindow.h"
#include "app/messagedialog.h"

#include <memory>

// On the given options (a simulated register's port, a retry period).
inline std::unique_ptr<MainWindow> windowWithScriptedDialog(const MainWindowOptions &options, MessageDialog *&dialog)
{
    auto window = std::make_unique<MainWindow>(options);
    dialog = new MessageDialog(window.get());
    dialog->setNonBlocking(true);
    window->setMessageDialog(dialog);
    return window;
}

// Decimal comma, on the register at `port`; a retry period of 0 keeps the program's.
inline MainWindowOptions optionsFor(const QString &port, int retryIntervalMs = 0)
{
    MainWindowOptions options;
    options.regional = Regional::withDecimal(QLatin1Char(','));
    options.registerPort = port;
    if (retryIntervalMs > 0)
        options.retryIntervalMs = retryIntervalMs;
    return options;
}
