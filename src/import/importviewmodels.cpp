#include "import/importviewmodels.h"

#include <QBrush>
#include <QColor>

void SheetPreviewModel::setSheet(const Sheet &sheet)
{
    beginResetModel();
    m_rows = sheet.rows.mid(0, PreviewRows);
    m_columns = 0;
    for (const SheetRow &row : m_rows)
        m_columns = qMax(m_columns, int(row.size()));
    endResetModel();
}

int SheetPreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SheetPreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant SheetPreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    const SheetRow &row = m_rows.at(index.row());
    return index.column() < row.size() ? QVariant(row.at(index.column()).text) : QVariant();
}

QVariant SheetPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    return orientation == Qt::Horizontal ? QVariant(ImportPlanner::columnLetters(section)) : QVariant(section + 1);
}

void ProblemListModel::setProblems(const QList<ImportProblem> &problems)
{
    beginResetModel();
    m_problems = problems;
    endResetModel();
}

int ProblemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_problems.size());
}

int ProblemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant ProblemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const ImportProblem &p = m_problems.at(index.row());
    if (role == Qt::ForegroundRole)
        return p.refused ? QVariant() : QVariant(QBrush(QColor(Qt::darkGray)));
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case 0: return p.fileRow;
    case 1: return p.column;
    case 2: return p.value;
    default: return p.reason;
    }
}

QVariant ProblemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QVariant();
    static const QString titles[] = {QStringLiteral("Ред"), QStringLiteral("Колона"), QStringLiteral("Вредност"),
                                     QStringLiteral("Разлог")};
    return section >= 0 && section < 4 ? QVariant(titles[section]) : QVariant();
}
