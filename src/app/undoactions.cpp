#include "app/undoactions.h"

#include "catalogue/familycatalogue.h"
#include "edit/edithistory.h"
#include "params/common/tableediting.h"
#include "session/registersession.h"
#include "session/tablehistories.h"

#include <QAction>
#include <QTableView>
#include <QWidget>

UndoActions::UndoActions(QWidget *window, TableHistories &histories, RegisterSession &session) : QObject(window)
{
    connect(&session, &RegisterSession::busyChanged, this, [this](bool busy) {
        m_busy = busy;
        update();
    });
    m_undo = new QAction(TableEditing::UndoText, window);
    m_undo->setObjectName(QStringLiteral("actUndo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = new QAction(TableEditing::RedoText, window);
    m_redo->setObjectName(QStringLiteral("actRedo"));
    m_redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    for (QAction *a : {m_undo, m_redo}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }
    connect(m_undo, &QAction::triggered, this, [this] {
        if (m_target)
            m_target->undo();
    });
    connect(m_redo, &QAction::triggered, this, [this] {
        if (m_target)
            m_target->redo();
    });
    for (EditHistory *h : histories.all()) {
        connect(h, &EditHistory::changed, this, [this, h] { setTarget(h); });
    }
    for (QTableView *view : window->findChildren<QTableView *>())
        if (TableEditing *editing = TableEditing::of(view))
            connect(editing, &TableEditing::activated, this,
                    [this, editing] { setTarget(&editing->history()); });
    if (EditHistory *articles = histories.of(FamilyCatalogue::key(FamilyId::Articles)))
        m_target = articles;
    update();
}

void UndoActions::setTarget(EditHistory *history)
{
    m_target = history;
    update();
}

void UndoActions::update()
{
    const bool undo = !m_busy && m_target && m_target->canUndo();
    const bool redo = !m_busy && m_target && m_target->canRedo();
    m_undo->setEnabled(undo);
    m_redo->setEnabled(redo);
    m_undo->setToolTip(undo ? TableEditing::UndoText + QStringLiteral(": ") + m_target->undoName()
                            : TableEditing::UndoText);
    m_redo->setToolTip(redo ? TableEditing::RedoText + QStringLiteral(": ") + m_target->redoName()
                            : TableEditing::RedoText);
}
