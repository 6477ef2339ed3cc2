#pragma once

#include <QGroupBox>

class ExchangeButtons;
class QCheckBox;
class QPushButton;
class QTableView;
class TaxRateFamily;

// The group box gbTaxGroups: the tax-rate table, the two exchange buttons
// and the hidden "fractions" check box that the price corrections read.
class TaxRatesBox : public QGroupBox {
    Q_OBJECT
public:
    TaxRatesBox(TaxRateFamily &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }
    // Always ticked: prices and quantities may have a fractional part.
    QCheckBox *realNumbers() const { return m_realNumbers; }

    // Start-up selection: column 1, row 1.
    void selectFirstRate();

private:
    QTableView *m_table;
    QPushButton *m_read;
    QPushButton *m_write;
    QCheckBox *m_realNumbers;
};
