#include "params/articles/articleedits.h"

#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "params/common/cellnumber.h"
#include "params/common/celltext.h"

namespace ArticleEditing {
namespace {

QStringList numbers(int from, int to)
{
    QStringList items;
    for (int n = from; n <= to; ++n)
        items << QString::number(n);
    return items;
}

// A position in a list of `count` items; anything outside shows no item.
int positionOrNone(int position, int count) { return position >= 0 && position < count ? position : -1; }

int taxPosition(const QString &cell)
{
    const int index = Fields::taxIndexOfLabel(cell);
    return index >= 0 ? index : 2; // Д
}

} // namespace

const QStringList &departmentItems()
{
    static const QStringList items = numbers(1, 8);
    return items;
}

void selectionFill(const ArticleRow &row, ArticleEditFill *fill)
{
    fill->name = row.name;
    fill->barcode = row.barcode;
    fill->price = row.price;
    fill->quantity = row.quantity;
    const int department = DecimalText::parseInteger(row.department) - 1;
    const int group = DecimalText::parseInteger(row.group);
    fill->department = positionOrNone(department, int(departmentItems().size()));
    fill->tax = taxPosition(row.tax);
    fill->group = positionOrNone(group, int(CellText::groupNumbers().size()));
}

ArticleEditFill readFill(const ArticleRow &row)
{
    ArticleEditFill fill;
    fill.name = row.name;
    fill.barcode = row.barcode;
    fill.price = row.price;
    fill.department = int(departmentItems().indexOf(row.department));
    fill.tax = taxPosition(row.tax);
    return fill;
}

ArticleEditFill loadFill(const ArticleRow &row)
{
    ArticleEditFill fill = readFill(row);
    fill.quantity = row.quantity;
    fill.group = int(CellText::groupNumbers().indexOf(row.group));
    return fill;
}

Outcome correct(const ArticleEdits &edits, const Regional &regional, ArticleRow *row)
{
    ScaledNumber price;
    ScaledNumber quantity;
    // Both conversions run first: a conversion error in either stops the
    // correction before any data error is shown.
    const bool priceConverts = CellNumber::convertEdit(edits.price, regional, 2, &price);
    const bool quantityConverts = CellNumber::convertEdit(edits.quantity, regional, 3, &quantity);
    if (!priceConverts || !quantityConverts)
        return Outcome::DataError;
    const QChar priceMark = CellNumber::markFor(edits.price, regional);
    if (CellNumber::priceOverLimit(edits.price, priceMark)
        || CellNumber::charactersAfterSeparator(edits.price, regional) > 2 || price.negative
        || edits.price.contains(QLatin1Char('-')) || edits.quantity.contains(QLatin1Char('-')))
        return Outcome::DataError;

    row->name = edits.name;
    row->barcode = edits.barcode;
    row->department = edits.department;
    row->price = CellNumber::storedText(edits.price, regional);
    row->quantity = CellNumber::storedText(edits.quantity, regional);
    row->tax = edits.tax;
    row->group = edits.group;
    return Outcome::Accepted;
}

} // namespace ArticleEditing
