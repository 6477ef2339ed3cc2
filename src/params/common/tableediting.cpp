#include "params/common/tableediting.h"

#include "edit/edithistory.h"
#include "edit/tableedits.h"
#include "params/common/recordingdelegate.h"
#include "transfer/parameterfamily.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

const QString TableEditing::CopyText = QStringLiteral("Копирај");
const QString TableEditing::PasteText = QStringLiteral("Налепи");
const QString TableEditing::FillText = QStringLiteral("Попуни наниже");
const QString TableEditing::ClearText = QStringLiteral("Обриши");
const QString TableEditing::UndoText = QStringLiteral("Поништи");
const QString TableEditing::RedoText = QStringLiteral("Понови");
const QString TableEditing::PasteTitle = QStringLiteral("Лепљење");

namespace {
const char *const HelperProperty = "vilaronTableEditing";
} // namespace

TableEditing::TableEditing(QTableView *view, EditableTable &table, EditHistory &history, ParameterFamily &reports)
    : QObject(view), m_view(view), m_table(table), m_history(history), m_reports(reports), m_menu(new QMenu(view))
{
    view->setProperty(HelperProperty, QVariant::fromValue(static_cast<QObject *>(this)));
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setItemDelegate(new RecordingDelegate(view->itemDelegate(), history, view));

    QAction *copyCells = addAction(CopyText, QKeySequence::Copy, [this] { copy(false); });
    addAction(QString(), QKeySequence(QStringLiteral("Ctrl+Shift+C")), [this] { copy(true); });
    QAction *pasteCells = addAction(PasteText, QKeySequence::Paste, [this] { paste(); });
    QAction *fill = addAction(FillText, QKeySequence(QStringLiteral("Ctrl+D")), [this] { fillDown(); });
    QAction *clearCells = addAction(ClearText, QKeySequence(Qt::Key_Delete), [this] { clear(); });
    m_undo = new QAction(UndoText, this);
    connect(m_undo, &QAction::triggered, this, &TableEditing::undo);
    m_redo = new QAction(RedoText, this);
    connect(m_redo, &QAction::triggered, this, &TableEditing::redo);
    for (QAction *a : {copyCells, pasteCells, fill, clearCells})
        m_menu->addAction(a);
    m_menu->addSeparator();
    m_menu->addAction(m_undo);
    m_menu->addAction(m_redo);

    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        updateMenu();
        m_menu->popup(m_view->viewport()->mapToGlobal(at));
    });
    connect(view, &QAbstractItemView::pressed, this, &TableEditing::selectRowsFrom);
    connect(&history, &EditHistory::changed, this, &TableEditing::updateMenu);
    view->installEventFilter(this);
    updateMenu();
}

TableEditing *TableEditing::of(const QTableView *view)
{
    return view ? qobject_cast<TableEditing *>(view->property(HelperProperty).value<QObject *>()) : nullptr;
}

QAction *TableEditing::addAction(const QString &text, const QKeySequence &keys, const std::function<void()> &run)
{
    auto *action = new QAction(text, m_view);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, run);
    m_view->addAction(action);
    return action;
}

bool TableEditing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::FocusIn)
        emit activated();
    return QObject::eventFilter(watched, event);
}

CellSelection TableEditing::selection() const
{
    CellSelection s;
    const QModelIndex current = m_view->currentIndex();
    s.currentRow = current.isValid() ? current.row() : 0;
    s.currentColumn = current.isValid() ? current.column() : 0;
    if (const QItemSelectionModel *model = m_view->selectionModel())
        for (const QItemSelectionRange &r : model->selection())
            s.rects.push_back(CellRect{r.top(), r.left(), r.bottom(), r.right()});
    if (s.rects.empty())
        s.rects.push_back(CellRect{s.currentRow, s.currentColumn, s.currentRow, s.currentColumn});
    return s;
}

void TableEditing::copy(bool withHeadings)
{
    QApplication::clipboard()->setText(ClipboardText::encode(TableEdits::copy(m_table, selection(), withHeadings)));
}

void TableEditing::paste()
{
    const ClipboardText::Block block = ClipboardText::decode(QApplication::clipboard()->text());
    const TableEdits::Paste result = TableEdits::paste(m_table, selection(), block);
    m_history.apply(TableEdits::pasteStepName(int(result.writes.size())), result.writes);
    const QString leftOut = TableEdits::leftOutText(result);
    if (!leftOut.isEmpty())
        emit m_reports.status(leftOut);
    const QString adjusted = TableEdits::adjustedText(m_table, result.adjusted);
    if (!adjusted.isEmpty())
        emit m_reports.message(PasteTitle, adjusted);
}

void TableEditing::fillDown()
{
    const std::vector<CellWrite> writes = TableEdits::fillDown(m_table, selection());
    m_history.apply(TableEdits::fillStepName(int(writes.size())), writes);
}

void TableEditing::clear()
{
    const std::vector<CellWrite> writes = TableEdits::clear(m_table, selection());
    m_history.apply(TableEdits::clearStepName(int(writes.size())), writes);
}

void TableEditing::undo() { m_history.undo(); }

void TableEditing::redo() { m_history.redo(); }

void TableEditing::selectRowsFrom(const QModelIndex &index)
{
    // A press on the number column takes the whole row (with Shift the rows
    // from the last one taken, with Ctrl one more row).
    if (!index.isValid() || index.column() != 0)
        return;
    QItemSelectionModel *model = m_view->selectionModel();
    const Qt::KeyboardModifiers keys = QApplication::keyboardModifiers();
    const int last = m_view->model()->columnCount() - 1;
    int top = index.row();
    int bottom = index.row();
    if (keys & Qt::ShiftModifier) {
        top = qMin(m_rowAnchor, index.row());
        bottom = qMax(m_rowAnchor, index.row());
    } else {
        m_rowAnchor = index.row();
    }
    const QItemSelection rows(m_view->model()->index(top, 0), m_view->model()->index(bottom, last));
    const bool adding = (keys & Qt::ControlModifier) && !(keys & Qt::ShiftModifier);
    model->select(rows, adding ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
}

void TableEditing::updateMenu()
{
    m_undo->setEnabled(m_history.canUndo());
    m_redo->setEnabled(m_history.canRedo());
}
