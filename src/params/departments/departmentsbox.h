#pragma once

#include "params/departments/departmentrecord.h"

#include <QGroupBox>

class DepartmentFamily;
class ExchangeButtons;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

// The department group box gbStands " Одељења : ": the edit controls of the
// selected department, the department table SgPodgrupe and the buttons.
class DepartmentsBox : public QGroupBox {
    Q_OBJECT
public:
    DepartmentsBox(DepartmentFamily &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    DepartmentEdits edits() const;

private:
    void applyFill(const DepartmentEditFill &fill);

    DepartmentFamily &m_family;
    QTableView *m_table;
    QLineEdit *m_name;
    QLineEdit *m_price;
    QComboBox *m_group;
    QComboBox *m_tax;
};
