#pragma once

#include <QString>
#include <functional>

class QPushButton;
class QWidget;
class RegisterSession;

// Opens the link trace window of a session from a button and Ctrl+T. The
// window is made on first use and stays beside the main window.
namespace TraceLauncher {

void attach(QWidget *mainWindow, QPushButton *button, RegisterSession &session,
            std::function<QString()> serialNumber);

} // namespace TraceLauncher
