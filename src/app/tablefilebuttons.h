#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;
class RegisterSession;
class TableFileActions;

// The article and department file buttons of the main window ("Снимање у
// фаjл", "Учитавање из фаjла"), tied to their actions; saves and loads are
// told to the session's table states.
namespace TableFileButtons {

std::unique_ptr<TableFileActions> connect(QWidget *window, RegisterSession &session,
                                          std::function<QString()> serialNumber);

} // namespace TableFileButtons
