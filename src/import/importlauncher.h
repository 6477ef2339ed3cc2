#pragma once

class QWidget;
class RegisterSession;

// Opens the import window from btnAImport (the article table) and btnOImport
// (the department table) of `window`; each window is made on first use and
// imports into the session's table through one replacement of its rows.
namespace ImportLauncher {

void attach(QWidget *window, RegisterSession &session);

} // namespace ImportLauncher
