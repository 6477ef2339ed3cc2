#include "params/common/textgrid.h"

#include "params/common/changedarea.h"

TextGrid::TextGrid(int columns, int rows, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_rows(rows), m_cells(columns * rows)
{
}

QString TextGrid::cell(int column, int row) const
{
    return inside(column, row) ? m_cells[row * m_columns + column] : QString();
}

void TextGrid::setCell(int column, int row, const QString &text)
{
    if (!inside(column, row))
        return;
    QString &target = m_cells[row * m_columns + column];
    if (target == text)
        return;
    target = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

void TextGrid::setCells(int row, int firstColumn, const QStringList &texts)
{
    if (texts.isEmpty() || !inside(firstColumn, row))
        return;
    const int last = qMin(m_columns - 1, firstColumn + int(texts.size()) - 1);
    bool changed = false;
    for (int c = firstColumn; c <= last; ++c) {
        QString &target = m_cells[row * m_columns + c];
        const QString &text = texts[c - firstColumn];
        if (target != text) {
            target = text;
            changed = true;
        }
    }
    if (changed)
        emit dataChanged(index(row, firstColumn), index(row, last), {Qt::DisplayRole, Qt::EditRole});
}

int TextGrid::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int TextGrid::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_columns; }

void TextGrid::setRowMarks(const QHash<int, QString> &marks)
{
    int first = 0;
    int last = 0;
    if (!m_marks.replace(marks, &first, &last))
        return;
    emit headerDataChanged(Qt::Vertical, first, last);
    emit dataChanged(index(first, 0), index(last, 0), {Qt::BackgroundRole, Qt::ToolTipRole});
}

QVariant TextGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return m_marks.data(section, role);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant TextGrid::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    if (index.column() == 0 && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return m_marks.data(index.row(), role);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cell(index.column(), index.row());
    return QVariant();
}

bool TextGrid::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)
        || isFixed(index.column(), index.row()))
        return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags TextGrid::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isFixed(index.column(), index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

QString TextGrid::startText(int row, int column) const
{
    const qsizetype at = qsizetype(row) * m_columns + column;
    return inside(column, row) && at < m_start.size() ? m_start[at] : QString();
}

void TextGrid::writeCells(const std::vector<CellWrite> &cells)
{
    const ChangedArea area = writeDiffering(cells, [this](int row, int column) -> QString * {
        return inside(column, row) ? &m_cells[row * m_columns + column] : nullptr;
    });
    if (!area.isEmpty())
        emit dataChanged(area.topLeft(*this), area.bottomRight(*this), {Qt::DisplayRole, Qt::EditRole});
}
