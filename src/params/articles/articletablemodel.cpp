#include "params/articles/articletablemodel.h"


#include "protocol/fields.h"

bool ArticleRow::operator==(const ArticleRow &o) const
{
    return name == o.name && barcode == o.barcode && department == o.department && price == o.price
           && tax == o.tax && quantity == o.quantity && group == o.group && sold == o.sold
           && turnover == o.turnover;
}

namespace ArticleTax {

QString normalise(const QString &typed)
{
    if (typed.isEmpty())
        return QString();
    const QChar c = typed.at(0);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('8'))
        return Fields::taxLabels().at(c.unicode() - '0');
    switch (c.unicode()) {
    case 0x0430: return QStringLiteral("А"); // а
    case 0x0433: return QStringLiteral("Г"); // г
    case 0x0434: return QStringLiteral("Д"); // д
    case 0x0435: return QStringLiteral("Е"); // е
    case 0x0436: return QStringLiteral("Ж"); // ж
    case 0x0438: return QStringLiteral("И"); // и
    case 0x043A: return QStringLiteral("К"); // к
    case 0x0452: return QStringLiteral("Ђ"); // ђ
    case 0x0458:                             // ј
    case 0x0408: return QStringLiteral("J"); // Ј, stored as the Latin label
    case 0x0410: case 0x0413: case 0x0414: case 0x0402: // А Г Д Ђ
    case 0x0415: case 0x0416: case 0x0418: case 0x041A: // Е Ж И К
        return QString(c);
    default:
        return QString(); // 9, the Latin J and everything else
    }
}

} // namespace ArticleTax

ArticleTableModel::ArticleTableModel(QObject *parent) : QAbstractTableModel(parent), m_rows(RowCount) {}

const QStringList &ArticleTableModel::headers()
{
    static const QStringList h = {
        QStringLiteral("Број"),   QStringLiteral("Назив"),    QStringLiteral("Бар-код"),
        QStringLiteral("Одељење"), QStringLiteral("Цена"),    QStringLiteral("Порез"),
        QStringLiteral("Количина"), QStringLiteral("Група"), QStringLiteral("Продато"),
        QStringLiteral("Промет"),
    };
    return h;
}

int ArticleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int ArticleTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ArticleTableModel::field(const ArticleRow &r, int column)
{
    switch (column) {
    case Name: return r.name;
    case Barcode: return r.barcode;
    case Department: return r.department;
    case Price: return r.price;
    case Tax: return r.tax;
    case Quantity: return r.quantity;
    case Group: return r.group;
    case Sold: return r.sold;
    case Turnover: return r.turnover;
    default: return QString();
    }
}

void ArticleTableModel::setField(ArticleRow &r, int column, const QString &text)
{
    switch (column) {
    case Name: r.name = text; break;
    case Barcode: r.barcode = text; break;
    case Department: r.department = text; break;
    case Price: r.price = text; break;
    case Tax: r.tax = text; break;
    case Quantity: r.quantity = text; break;
    case Group: r.group = text; break;
    case Sold: r.sold = text; break;
    case Turnover: r.turnover = text; break;
    default: break;
    }
}

QString ArticleTableModel::cell(int row, int column) const
{
    if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount)
        return QString();
    if (column == Number)
        return QString::number(row + 1);
    return field(m_rows[std::size_t(row)], column);
}

void ArticleTableModel::setRowMarks(const QHash<int, QString> &marks)
{
    int first = 0;
    int last = 0;
    if (!m_marks.replace(marks, &first, &last))
        return;
    // One notification for the changed span.
    emit headerDataChanged(Qt::Vertical, first, last);
    emit dataChanged(index(first, Number), index(last, Number), {Qt::BackgroundRole, Qt::ToolTipRole});
}

QVariant ArticleTableModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && index.column() == Number && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return m_marks.data(index.row(), role);
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return cell(index.row(), index.column());
}

QVariant ArticleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return m_marks.data(section, role);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount ? QVariant(headers().at(section)) : QVariant();
    return section >= 0 && section < RowCount ? QVariant(section + 1) : QVariant();
}

Qt::ItemFlags ArticleTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != Number)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ArticleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == Number)
        return false;
    QString text = value.toString();
    if (index.column() == Name)
        text.truncate(NameLength);
    else if (index.column() == Tax)
        text = ArticleTax::normalise(text);
    setCell(index.row(), index.column(), text);
    return true;
}

void ArticleTableModel::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= RowCount || column <= Number || column >= ColumnCount)
        return;
    ArticleRow &r = m_rows[std::size_t(row)];
    if (field(r, column) == text)
        return;
    setField(r, column, text);
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void ArticleTableModel::setRow(int row, const ArticleRow &values)
{
    if (row < 0 || row >= RowCount)
        return;
    ArticleRow &r = m_rows[std::size_t(row)];
    if (r == values)
        return;
    r = values;
    emit dataChanged(index(row, Name), index(row, Turnover), {Qt::DisplayRole, Qt::EditRole});
}

void ArticleTableModel::resetToDefaults()
{
    beginResetModel();
    std::fill(m_rows.begin(), m_rows.end(), ArticleRow());
    endResetModel();
}
