#include "params/articles/articletablemodel.h"

#include "protocol/fields.h"

const std::array<QString ArticleRow::*, 10> &ArticleRow::columns()
{
    static const std::array<QString ArticleRow::*, 10> c = {
        nullptr,          &ArticleRow::name,     &ArticleRow::barcode, &ArticleRow::department, &ArticleRow::price,
        &ArticleRow::tax, &ArticleRow::quantity, &ArticleRow::group,   &ArticleRow::sold,       &ArticleRow::turnover,
    };
    return c;
}

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

ArticleTableModel::ArticleTableModel(QObject *parent)
    : RecordTableModel(RowCount, headers(), true, [](int) { return ArticleRow(); }, parent)
{
}

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

bool ArticleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == Number)
        return false;
    setCell(index.row(), index.column(), typedText(index.column(), value.toString()));
    return true;
}

QString ArticleTableModel::typedText(int column, const QString &text) const
{
    if (column == Name)
        return text.left(NameLength);
    if (column == Tax)
        return ArticleTax::normalise(text);
    return text;
}
