#pragma once

#include "core/regional.h"
#include "params/common/recordtablemodel.h"

#include <QString>
#include <QStringList>
#include <array>

struct DepartmentRow {
    QString name;
    QString price;
    QString group;
    QString tax;
    QString turnover;

    // The member each table column shows, in DepartmentTableModel::Column order.
    static const std::array<QString DepartmentRow::*, 6> &columns();
    bool operator==(const DepartmentRow &o) const
    {
        return name == o.name && price == o.price && group == o.group && tax == o.tax && turnover == o.turnover;
    }
};

// The department table (SgPodgrupe): eight departments, six text columns.
// Model row r is department r + 1 and department index r on the wire. Not
// edited in place: rows change through the correction, a read or a file load.
class DepartmentTableModel : public RecordTableModel<DepartmentRow> {
    Q_OBJECT
public:
    enum Column { Number = 0, Name = 1, Price = 2, Group = 3, Tax = 4, Turnover = 5, ColumnCount = 6 };
    static constexpr int RowCount = 8;

    explicit DepartmentTableModel(const Regional &regional, QObject *parent = nullptr);

    static const QStringList &headers();
    // The start-up row of department `number` (1..8).
    static DepartmentRow defaultRow(int number, const Regional &regional);
};
