#pragma once

#include "core/regional.h"

#include "params/common/rowmarks.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <array>

struct DepartmentRow {
    QString name;
    QString price;
    QString group;
    QString tax;
    QString turnover;

    bool operator==(const DepartmentRow &o) const
    {
        return name == o.name && price == o.price && group == o.group && tax == o.tax && turnover == o.turnover;
    }
};

// The department table (SgPodgrupe): eight departments, six text columns.
// Model row r is department r + 1 and department index r on the wire. Not
// edited in place: rows change through the correction, a read or a file load.
class DepartmentTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number = 0, Name = 1, Price = 2, Group = 3, Tax = 4, Turnover = 5, ColumnCount = 6 };
    static constexpr int RowCount = 8;

    explicit DepartmentTableModel(const Regional &regional, QObject *parent = nullptr);

    static const QStringList &headers();
    // The start-up row of department `number` (1..8).
    static DepartmentRow defaultRow(int number, const Regional &regional);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Rows whose record differs from the register (model rows), with the
    // register's values: the row header and number cell are coloured.
    void setRowMarks(const QHash<int, QString> &marks);
    const QHash<int, QString> &rowMarks() const { return m_marks.marks(); }
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    const DepartmentRow &row(int row) const { return m_rows.at(std::size_t(row)); }
    void setRow(int row, const DepartmentRow &values);
    void resetToDefaults();

private:
    static QString field(const DepartmentRow &row, int column);
    Regional m_regional;
    std::array<DepartmentRow, RowCount> m_rows;
    RowMarks m_marks;
};
