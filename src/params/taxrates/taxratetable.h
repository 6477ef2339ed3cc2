#pragma once

#include "params/common/textgrid.h"

// The tax-rate table sgTaxGroups as text cells: 2 columns x 10 rows. Row 0
// and column 0 are fixed (the header and the tax labels); the rates in
// column 1 of rows 1..9 can be edited. Row i + 1 holds tax index i.
class TaxRateTable : public TextGrid {
    Q_OBJECT
public:
    static constexpr int Columns = 2;
    static constexpr int Rows = 10;

    // The header of the rate column is the range hint for separator d.
    explicit TaxRateTable(QChar decimal, QObject *parent = nullptr);

    // The rate text of tax index 0..8.
    QString rate(int taxIndex) const { return cell(1, taxIndex + 1); }
    void setRate(int taxIndex, const QString &text) { setCell(1, taxIndex + 1, text); }
};
