#pragma once

#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"
#include "params/departments/departmentrecord.h"
#include "params/departments/departmenttablemodel.h"

// The department family: the eight departments, read with command 111 and
// written with command 112, one department per exchange.
class DepartmentFamily : public ParameterFamily {
    Q_OBJECT
public:
    DepartmentFamily(FamilyContext &ctx, QObject *parent = nullptr);

    TransferEngine &transfer() { return *m_transfer; }
    DepartmentTableModel &model() { return m_model; }
    const DepartmentTableModel &model() const { return m_model; }
    int currentRow() const { return m_currentRow; }

public slots:
    void btnSTReadClick();
    void btnSTWriteClick();
    // SgPodgrupeClick: the user selected a row (model row 0..7).
    void selectRow(int row);
    // Correction of the current row. Returns true when the row was changed.
    bool BtnOCorClick(const DepartmentEdits &edits);

signals:
    void editsFilled(const DepartmentEditFill &fill);

private:
    FamilyContext &m_ctx;
    TransferEngine *m_transfer = nullptr;
    DepartmentTableModel m_model;
    int m_currentRow = 0;
};
