#pragma once

#include "edit/cellselection.h"

#include <QObject>
#include <QString>
#include <functional>

class EditHistory;
class EditableTable;
class ParameterFamily;
class QAction;
class QKeySequence;
class QMenu;
class QModelIndex;
class QTableView;

// The spreadsheet side of a table view, the same for every table: cell
// rectangles (mouse, Shift+arrows, Ctrl+click, Ctrl+A, whole rows from the
// number column), copy (Ctrl+C, Ctrl+Shift+C with the headings), paste
// (Ctrl+V), fill down (Ctrl+D), clear (Delete) and the context menu with
// undo and redo of the table's history. Typed cells become undo steps too.
// The keys of undo and redo belong to the main window's actions, which act
// on the table last used. Reports (left-out cells, cells the typing rules
// changed) go out through the family's status and message.
class TableEditing : public QObject {
    Q_OBJECT
public:
    TableEditing(QTableView *view, EditableTable &table, EditHistory &history, ParameterFamily &reports);
    // The helper attached to a view, if any.
    static TableEditing *of(const QTableView *view);

    QTableView *view() const { return m_view; }
    EditHistory &history() const { return m_history; }
    EditableTable &table() const { return m_table; }
    CellSelection selection() const;
    QMenu *contextMenu() const { return m_menu; }

    void copy(bool withHeadings = false);
    void paste();
    void fillDown();
    void clear();
    void undo();
    void redo();

    // The context menu's texts.
    static const QString CopyText, PasteText, FillText, ClearText, UndoText, RedoText;
    static const QString PasteTitle;

signals:
    // The view took the keyboard focus: undo and redo now mean this table.
    void activated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // An action of the view (its keys only while the view has the focus).
    QAction *addAction(const QString &text, const QKeySequence &keys, const std::function<void()> &run);
    void selectRowsFrom(const QModelIndex &index);
    void updateMenu();

    QTableView *m_view;
    EditableTable &m_table;
    EditHistory &m_history;
    ParameterFamily &m_reports;
    QMenu *m_menu;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    int m_rowAnchor = 0;
};
