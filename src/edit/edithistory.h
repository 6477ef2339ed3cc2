#pragma once

#include "edit/editabletable.h"
#include "edit/packedtexts.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <deque>
#include <functional>
#include <vector>

// The undo and redo history of one table. A step keeps only the cells it
// changed, with their texts from the other side of the step: undoing swaps
// them with what the table shows, and redoing swaps them back. Each step
// also keeps what its owner calls the table's state (start-up defaults,
// saved), taken through the state keeper and put back with the cells.
//
// Three ways to make a step:
//  - apply(name, cells): the history writes the cells itself;
//  - record(name, change): `change` may alter the table any way it likes
//    (a correction, a file load, an import replacing the whole table);
//  - begin() ... finish(name): the same for a change that runs over time,
//    such as a read from the register.
// A step that changes no cell is not kept.
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultLimit = 100;

    explicit EditHistory(EditableTable &table, int limit = DefaultLimit, QObject *parent = nullptr);

    // Writes the cells as one step; returns how many cells changed.
    int apply(const QString &name, const std::vector<CellWrite> &cells);
    // Runs `change` as one step named `name`; returns how many cells changed.
    int record(const QString &name, const std::function<void()> &change);
    // The table as it is now is the "before" of the step that finish()
    // makes. A second begin() before finish() keeps the first one's table.
    void begin();
    int finish(const QString &name);
    // Runs `change`, which may alter several tables, as one step of each
    // history whose table it changes.
    static void recordTogether(const std::vector<EditHistory *> &histories, const QString &name,
                               const std::function<void()> &change);
    // Forgets a begun step without making it.
    void abandon();
    bool isOpen() const { return m_open; }

    bool canUndo() const { return !m_open && !m_undo.empty(); }
    bool canRedo() const { return !m_open && !m_redo.empty(); }
    QString undoName() const { return canUndo() ? m_undo.back().name : QString(); }
    QString redoName() const { return canRedo() ? m_redo.back().name : QString(); }
    int undoCount() const { return int(m_undo.size()); }
    bool undo();
    bool redo();
    // Forgets every step (the table went back to start-up by other means).
    void clear();
    // Memory held by the steps, for the benchmark.
    qsizetype heldBytes() const;

    // What the owner keeps per step besides the cells.
    using StateCapture = std::function<QVariant()>;
    using StateRestore = std::function<void(const QVariant &)>;
    void setStateKeeper(StateCapture capture, StateRestore restore);

signals:
    // What can be undone or redone (or its name) changed.
    void changed();
    // An undo or redo wrote these cells (already in the table).
    void stepTaken(const QString &name, int firstRow, int lastRow);

private:
    struct Step {
        QString name;
        CellRuns cells;
        PackedTexts texts; // the cells' texts on the other side of the step
        QVariant state;
        int firstRow = 0;
        int lastRow = 0;
    };
    void push(Step step);
    int finishFrom(const std::vector<QString> &before, const QVariant &state, const QString &name);
    std::vector<QString> snapshot() const;
    // Swaps the step's texts and state with the table's; true when it applied.
    bool swap(Step &step);

    EditableTable &m_table;
    int m_limit;
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
    bool m_open = false;
    std::vector<QString> m_before;
    QVariant m_beforeState;
    StateCapture m_capture;
    StateRestore m_restore;
};
