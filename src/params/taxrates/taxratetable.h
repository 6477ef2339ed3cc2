#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>

// The tax-rate table sgTaxGroups as text cells: 2 columns x 10 rows. Row 0
// and column 0 are fixed (the header and the tax labels); the rates in
// column 1 of rows 1..9 can be edited. Row i + 1 holds tax index i.
class TaxRateTable : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int Columns = 2;
    static constexpr int Rows = 10;

    // The header of the rate column is the range hint for separator d.
    explicit TaxRateTable(QChar decimal, QObject *parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    // The rate text of tax index 0..8.
    QString rate(int taxIndex) const { return cell(1, taxIndex + 1); }
    void setRate(int taxIndex, const QString &text) { setCell(1, taxIndex + 1, text); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static bool isFixed(int column, int row) { return column == 0 || row == 0; }

private:
    std::array<QString, Columns * Rows> m_cells;
};
