#include "edit/edithistory.h"

#include <algorithm>

EditHistory::EditHistory(EditableTable &table, int limit, QObject *parent)
    : QObject(parent), m_table(table), m_limit(qMax(1, limit))
{
}

void EditHistory::setStateKeeper(StateCapture capture, StateRestore restore)
{
    m_capture = std::move(capture);
    m_restore = std::move(restore);
}

int EditHistory::apply(const QString &name, const std::vector<CellWrite> &cells)
{
    const int rows = m_table.editRows();
    const int columns = m_table.editColumns();
    // By position, the last write of a cell winning: the step keeps each
    // cell's text from before the whole step once.
    std::vector<std::pair<int, const CellWrite *>> ordered;
    ordered.reserve(cells.size());
    for (const CellWrite &c : cells)
        if (c.row >= 0 && c.row < rows && c.column >= 0 && c.column < columns)
            ordered.emplace_back(c.row * columns + c.column, &c);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    Step step;
    step.name = name;
    std::vector<CellWrite> writes;
    writes.reserve(ordered.size());
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        if (i + 1 < ordered.size() && ordered[i + 1].first == ordered[i].first)
            continue;
        const CellWrite &c = *ordered[i].second;
        const QString old = m_table.editText(c.row, c.column);
        if (old == c.text)
            continue;
        if (writes.empty())
            step.firstRow = c.row;
        step.lastRow = c.row;
        step.cells.append(ordered[i].first);
        step.texts.append(old);
        writes.push_back(c);
    }
    if (writes.empty())
        return 0;
    if (m_capture)
        step.state = m_capture();
    m_table.writeCells(writes);
    const int changedCells = int(writes.size());
    push(std::move(step));
    return changedCells;
}

std::vector<QString> EditHistory::snapshot() const
{
    const int rows = m_table.editRows();
    const int columns = m_table.editColumns();
    std::vector<QString> texts;
    texts.reserve(std::size_t(rows) * std::size_t(columns));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            texts.push_back(m_table.editText(r, c));
    return texts;
}

int EditHistory::record(const QString &name, const std::function<void()> &change)
{
    if (m_open) {
        // Inside a longer change: it becomes part of that step.
        change();
        return 0;
    }
    const std::vector<QString> before = snapshot();
    const QVariant state = m_capture ? m_capture() : QVariant();
    change();
    return finishFrom(before, state, name);
}

void EditHistory::begin()
{
    if (m_open)
        return;
    m_before = snapshot();
    m_beforeState = m_capture ? m_capture() : QVariant();
    m_open = true;
    emit changed();
}

int EditHistory::finish(const QString &name)
{
    if (!m_open)
        return 0;
    m_open = false;
    const std::vector<QString> before = std::move(m_before);
    m_before.clear();
    const int changedCells = finishFrom(before, m_beforeState, name);
    if (!changedCells)
        emit changed();
    return changedCells;
}

void EditHistory::recordTogether(const std::vector<EditHistory *> &histories, const QString &name,
                                 const std::function<void()> &change)
{
    std::vector<EditHistory *> begun;
    for (EditHistory *h : histories)
        if (h && !h->isOpen()) {
            h->begin();
            begun.push_back(h);
        }
    change();
    for (EditHistory *h : begun)
        h->finish(name);
}

void EditHistory::abandon()
{
    if (!m_open)
        return;
    m_open = false;
    m_before.clear();
    emit changed();
}

int EditHistory::finishFrom(const std::vector<QString> &before, const QVariant &state, const QString &name)
{
    const int rows = m_table.editRows();
    const int columns = m_table.editColumns();
    if (before.size() != std::size_t(rows) * std::size_t(columns))
        return 0;
    Step step;
    step.name = name;
    step.state = state;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QString &old = before[std::size_t(r) * std::size_t(columns) + std::size_t(c)];
            if (m_table.editText(r, c) == old)
                continue;
            if (!step.cells.size())
                step.firstRow = r;
            step.lastRow = r;
            step.cells.append(r * columns + c);
            step.texts.append(old);
        }
    const int changedCells = step.cells.size();
    if (changedCells)
        push(std::move(step));
    return changedCells;
}

void EditHistory::push(Step step)
{
    m_undo.push_back(std::move(step));
    while (int(m_undo.size()) > m_limit)
        m_undo.pop_front();
    m_redo.clear();
    emit changed();
}

bool EditHistory::swap(Step &step)
{
    const int columns = m_table.editColumns();
    PackedTexts current;
    std::vector<CellWrite> writes;
    writes.reserve(std::size_t(step.cells.size()));
    PackedTexts::Reader stored(step.texts);
    step.cells.forEach([&](int position) {
        const int row = position / columns;
        const int column = position % columns;
        current.append(m_table.editText(row, column));
        writes.push_back(CellWrite{row, column, stored.next()});
    });
    const QVariant state = m_capture ? m_capture() : QVariant();
    m_table.writeCells(writes);
    if (m_restore && step.state.isValid())
        m_restore(step.state);
    step.texts = std::move(current);
    step.state = state;
    return true;
}

bool EditHistory::undo()
{
    if (!canUndo())
        return false;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    swap(step);
    const QString name = step.name;
    const int first = step.firstRow;
    const int last = step.lastRow;
    m_redo.push_back(std::move(step));
    emit changed();
    emit stepTaken(name, first, last);
    return true;
}

bool EditHistory::redo()
{
    if (!canRedo())
        return false;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    swap(step);
    const QString name = step.name;
    const int first = step.firstRow;
    const int last = step.lastRow;
    m_undo.push_back(std::move(step));
    emit changed();
    emit stepTaken(name, first, last);
    return true;
}

void EditHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_open = false;
    m_before.clear();
    emit changed();
}

qsizetype EditHistory::heldBytes() const
{
    qsizetype bytes = 0;
    for (const auto *steps : {&m_undo, &m_redo})
        for (const Step &s : *steps)
            bytes += s.texts.bytes() + qsizetype(sizeof(Step));
    return bytes;
}
