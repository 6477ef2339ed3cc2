#include "params/taxrates/taxratetable.h"

#include "link/fields.h"
#include "params/taxrates/taxrates.h"

TaxRateTable::TaxRateTable(QChar decimal, QObject *parent) : QAbstractTableModel(parent)
{
    m_cells[0] = QStringLiteral("П. Ст.");
    m_cells[1] = TaxRates::rangeHint(decimal);
    const QStringList &labels = Fields::taxLabels();
    for (int i = 0; i < Fields::TaxLabelCount; ++i)
        m_cells[(i + 1) * Columns] = labels.at(i);
}

QString TaxRateTable::cell(int column, int row) const
{
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return QString();
    return m_cells[row * Columns + column];
}

void TaxRateTable::setCell(int column, int row, const QString &text)
{
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return;
    QString &target = m_cells[row * Columns + column];
    if (target == text)
        return;
    target = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

int TaxRateTable::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Rows; }

int TaxRateTable::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Columns; }

QVariant TaxRateTable::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cell(index.column(), index.row());
    return QVariant();
}

bool TaxRateTable::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)
        || isFixed(index.column(), index.row()))
        return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags TaxRateTable::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isFixed(index.column(), index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}
