#include "params/departments/departmenttablemodel.h"

#include "protocol/fields.h"

const std::array<QString DepartmentRow::*, 6> &DepartmentRow::columns()
{
    static const std::array<QString DepartmentRow::*, 6> c = {nullptr, &DepartmentRow::name, &DepartmentRow::price,
                                                              &DepartmentRow::group, &DepartmentRow::tax,
                                                              &DepartmentRow::turnover};
    return c;
}

DepartmentTableModel::DepartmentTableModel(const Regional &regional, QObject *parent)
    : RecordTableModel(
        RowCount, headers(), false, [regional](int number) { return defaultRow(number, regional); }, parent)
{
}

const QStringList &DepartmentTableModel::headers()
{
    static const QStringList h = {QStringLiteral("Број"),  QStringLiteral("Назив"), QStringLiteral("Цена"),
                                  QStringLiteral("Група"), QStringLiteral("Порез"), QStringLiteral("Промет")};
    return h;
}

DepartmentRow DepartmentTableModel::defaultRow(int number, const Regional &regional)
{
    const QString zero = QLatin1Char('0') + QString(regional.decimal) + QStringLiteral("00");
    return DepartmentRow{QStringLiteral("Одељење ") + QString::number(number), zero, QStringLiteral("0"),
                         Fields::taxLabels().at(0), zero};
}
