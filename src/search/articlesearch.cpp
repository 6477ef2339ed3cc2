#include "search/articlesearch.h"

#include "params/articles/articletablemodel.h"

namespace ArticleSearch {

namespace {
constexpr int BarcodeWidth = 14;

bool isBlankOrControl(QChar c) { return c.unicode() <= 0x20 || c.category() == QChar::Other_Control; }

int firstRowWhere(const ArticleTableModel &model, int column, const QString &wanted, bool contains)
{
    for (int r = 0; r < ArticleTableModel::RowCount; ++r) {
        const QString &cell = column == ArticleTableModel::Name ? model.row(r).name : model.row(r).barcode;
        if (contains ? latinUpper(cell).contains(wanted) : cell == wanted)
            return r;
    }
    return -1;
}
} // namespace

QString messageFor(Outcome outcome)
{
    switch (outcome) {
    case Outcome::NoText:
        return QStringLiteral("Унесите податак за претраживање!!!");
    case Outcome::Found:
        return QStringLiteral("Пронађен артикал");
    case Outcome::NotFound:
        break;
    }
    return QStringLiteral("Артикал није пронађен");
}

QString latinUpper(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

QString namePattern(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return latinUpper(text.mid(begin, end - begin));
}

QString paddedBarcode(const QString &text)
{
    if (text.size() >= BarcodeWidth)
        return text;
    return QString(BarcodeWidth - text.size(), QLatin1Char('0')) + text;
}

int findByName(const ArticleTableModel &model, const QString &text)
{
    const QString pattern = namePattern(text);
    if (pattern.isEmpty())
        return -1;
    return firstRowWhere(model, ArticleTableModel::Name, pattern, true);
}

int findByBarcode(const ArticleTableModel &model, const QString &text)
{
    const int exact = firstRowWhere(model, ArticleTableModel::Barcode, text, false);
    if (exact >= 0)
        return exact;
    const QString padded = paddedBarcode(text);
    if (padded == text)
        return -1;
    return firstRowWhere(model, ArticleTableModel::Barcode, padded, false);
}

Result search(const ArticleTableModel &model, const QString &text, Mode mode)
{
    Result result;
    if (text.isEmpty()) {
        result.outcome = Outcome::NoText;
        return result;
    }
    result.row = mode == Mode::Name ? findByName(model, text) : findByBarcode(model, text);
    result.outcome = result.row >= 0 ? Outcome::Found : Outcome::NotFound;
    return result;
}

} // namespace ArticleSearch
