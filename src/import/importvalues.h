#pragma once

#include "core/regional.h"
#include "import/sheet.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The tax-rate table's rates (hundredths of a per cent) by tax index; an
// index without a rate ("**,**" or empty) has none.
struct ImportTaxRates {
    std::array<std::optional<qint64>, 9> hundredths;
    // The rate texts of tax indexes 0..8 as the tax-rate table shows them.
    static ImportTaxRates fromTexts(const QStringList &rates, const Regional &regional);
    bool any() const;
};

// One cell checked as the register will take it: the table text to store,
// or why it is refused; a value taken may still carry a note worth telling
// (a name cut short, a barcode that may have lost a leading zero).
struct ValueCheck {
    bool given = false;  // the cell holds something
    QString value;       // the table text, when given and not refused
    QString refusal;     // why the value cannot go in
    QString note;        // taken, but told
    bool refused() const { return !refusal.isEmpty(); }
};

namespace ImportValues {

// Blanks around it removed, line breaks made spaces, cut to `length`
// characters; a character the register's code page lacks refuses it.
ValueCheck name(const SheetCell &cell, int length);
// Digits only, at most 14, leading zeros as the file has them.
ValueCheck barcode(const SheetCell &cell);
// A decimal comma or point, thousands separators, a currency word (дин,
// din, RSD) around it; not negative, at most two decimals, at most `limit`
// hundredths. Stored in plain number form with the regional separator.
ValueCheck price(const SheetCell &cell, qint64 limit, const Regional &regional);
// A label (Latin look-alikes accepted), an index 0..8, or a rate ("20",
// "20%") that the tax-rate table holds.
ValueCheck tax(const SheetCell &cell, const ImportTaxRates &rates);
// A whole number from `low` to `high`.
ValueCheck whole(const SheetCell &cell, int low, int high);
// A decimal, possibly negative, at most three decimals (thousandths).
ValueCheck quantity(const SheetCell &cell, const Regional &regional);

// What makes two barcodes the same article: the digits without leading
// zeros; empty for no barcode (all zeros or none).
QString barcodeKey(const QString &barcode);

} // namespace ImportValues
