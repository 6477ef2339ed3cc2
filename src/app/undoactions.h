#pragma once

#include "edit/edithistory.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;
class RegisterSession;
class TableHistories;

// The main window's undo and redo (actUndo: Ctrl+Z; actRedo: Ctrl+Shift+Z
// and Ctrl+Y). They act on the table last used: the table view that last
// took the focus, or the table whose history last changed (a read, a file
// load). Each is disabled when there is nothing to undo or redo, and its
// tool tip names the step ("Поништи: лепљење 120 ћелија"). While a transfer
// runs both wait: a write takes its records from the table as it goes.
class UndoActions : public QObject {
    Q_OBJECT
public:
    UndoActions(QWidget *window, TableHistories &histories, RegisterSession &session);

    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    EditHistory *target() const { return m_target; }

private:
    void setTarget(EditHistory *history);
    void update();

    QAction *m_undo;
    QAction *m_redo;
    QPointer<EditHistory> m_target;
    bool m_busy = false;
};
