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
    TransferEngine *records() override { return m_transfer; }
    int recordCount() const override { return DepartmentTableModel::RowCount; }
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override;
    bool setField(int index, int column, const QString &text) override;
    void markRows(const QHash<int, QString> &marks) override { m_model.setRowMarks(marks); }
    QAbstractItemModel *tableModel() override { return &m_model; }
    EditHistory *editHistory() override { return &m_model.history(); }

public slots:
    void btnSTReadClick();
    void btnSTWriteClick();
    // SgPodgrupeClick: the user selected a row (model row 0..7).
    void selectRow(int row);
    // Correction of the current row. Returns true when the row was changed.
    bool BtnOCorClick(const DepartmentEdits &edits);

signals:
    void editsFilled(const DepartmentEditFill &fill);

protected:
    void startRead() override { btnSTReadClick(); }
    void startWrite() override { btnSTWriteClick(); }

private:
    FamilyContext &m_ctx;
    TransferEngine *m_transfer = nullptr;
    DepartmentTableModel m_model;
    int m_currentRow = 0;
};
