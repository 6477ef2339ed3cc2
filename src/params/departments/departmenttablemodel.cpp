#include "params/departments/departmenttablemodel.h"

#include "protocol/fields.h"

DepartmentTableModel::DepartmentTableModel(const Regional &regional, QObject *parent)
    : QAbstractTableModel(parent), m_regional(regional)
{
    for (int r = 0; r < RowCount; ++r)
        m_rows[std::size_t(r)] = defaultRow(r + 1, regional);
}

const QStringList &DepartmentTableModel::headers()
{
    static const QStringList h = {QStringLiteral("Број"),  QStringLiteral("Назив"), QStringLiteral("Цена"),
                                  QStringLiteral("Група"), QStringLiteral("Порез"), QStringLiteral("Промет")};
    return h;
}

DepartmentRow DepartmentTableModel::defaultRow(int number, const Regional &regional)
{
    const QString zero = QLatin1Char('0') + QString(regional.decimal) + QStringLiteral("00");
    return DepartmentRow{QStringLiteral("Одељење ") + QString::number(number), zero, QStringLiteral("0"),
                         Fields::taxLabels().at(0), zero};
}

int DepartmentTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : RowCount; }

int DepartmentTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString DepartmentTableModel::field(const DepartmentRow &r, int column)
{
    switch (column) {
    case Name: return r.name;
    case Price: return r.price;
    case Group: return r.group;
    case Tax: return r.tax;
    case Turnover: return r.turnover;
    default: return QString();
    }
}

QString DepartmentTableModel::cell(int row, int column) const
{
    if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount)
        return QString();
    if (column == Number)
        return QString::number(row + 1);
    return field(m_rows[std::size_t(row)], column);
}

void DepartmentTableModel::setRowMarks(const QHash<int, QString> &marks)
{
    int first = 0;
    int last = 0;
    if (!m_marks.replace(marks, &first, &last))
        return;
    emit headerDataChanged(Qt::Vertical, first, last);
    emit dataChanged(index(first, Number), index(last, Number), {Qt::BackgroundRole, Qt::ToolTipRole});
}

QVariant DepartmentTableModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && index.column() == Number && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return m_marks.data(index.row(), role);
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return cell(index.row(), index.column());
}

QVariant DepartmentTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return m_marks.data(section, role);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount ? QVariant(headers().at(section)) : QVariant();
    return section >= 0 && section < RowCount ? QVariant(section + 1) : QVariant();
}

Qt::ItemFlags DepartmentTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void DepartmentTableModel::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= RowCount || column <= Number || column >= ColumnCount)
        return;
    DepartmentRow r = m_rows[std::size_t(row)];
    switch (column) {
    case Name: r.name = text; break;
    case Price: r.price = text; break;
    case Group: r.group = text; break;
    case Tax: r.tax = text; break;
    case Turnover: r.turnover = text; break;
    default: break;
    }
    setRow(row, r);
}

void DepartmentTableModel::setRow(int row, const DepartmentRow &values)
{
    if (row < 0 || row >= RowCount || m_rows[std::size_t(row)] == values)
        return;
    m_rows[std::size_t(row)] = values;
    emit dataChanged(index(row, Name), index(row, Turnover), {Qt::DisplayRole, Qt::EditRole});
}

void DepartmentTableModel::resetToDefaults()
{
    beginResetModel();
    for (int r = 0; r < RowCount; ++r)
        m_rows[std::size_t(r)] = defaultRow(r + 1, m_regional);
    endResetModel();
}
