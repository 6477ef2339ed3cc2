#pragma once

#include "core/regional.h"
#include "params/articles/articletablemodel.h"

#include <QString>
#include <QStringList>
#include <optional>

// The values of the article edit controls, as the correction reads them: the
// texts of the fields and the selected texts of the lists (empty when a list
// shows no item).
struct ArticleEdits {
    QString name;       // edtArticleName
    QString barcode;    // edtBarkod
    QString department; // cbAStand
    QString price;      // edtAPrice
    QString tax;        // cbATG
    QString quantity;   // EdtAKol
    QString group;      // CB_AGrupa
};

// What a row selection puts into the edit controls. Absent members leave
// their control as it is; a list position of -1 shows no item.
struct ArticleEditFill {
    std::optional<QString> name;
    std::optional<QString> barcode;
    std::optional<QString> price;
    std::optional<QString> quantity;
    std::optional<int> department; // position in cbAStand
    std::optional<int> tax;        // position in cbATG
    std::optional<int> group;      // position in CB_AGrupa
};

namespace ArticleEditing {

// The items of cbAStand ("1".."8"); the group lists hold CellText::groupNumbers().
const QStringList &departmentItems();

// Row selection: the text fields take the row unchanged, the lists the
// positions of the department (minus 1), the tax label lookup (Д when the
// cell is none of the labels) and the group. A department or group cell that
// is not a whole number throws ConversionError; *fill then holds the text
// fields only, so that the lists stay as they were.
void selectionFill(const ArticleRow &row, ArticleEditFill *fill);

// The fill after a register read and at start-up: name, barcode, price, the
// department as the text of cbAStand and the tax label lookup.
ArticleEditFill readFill(const ArticleRow &row);

// The fill after an article file load: name, barcode, price and quantity
// unchanged, the department and the group as the texts of their lists, and
// the tax label lookup.
ArticleEditFill loadFill(const ArticleRow &row);

enum class Outcome { Accepted, DataError };

// Correction: checks the edit values and, when they pass, writes them into
// *row (columns 1 to 7; sold and turnover untouched). A number text holding
// the regional separator that does not convert throws ConversionError and
// leaves *row unchanged.
Outcome correct(const ArticleEdits &edits, const Regional &regional, ArticleRow *row);

} // namespace ArticleEditing
