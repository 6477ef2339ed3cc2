#pragma once

#include "params/common/familycontext.h"
#include "params/common/parameterfamily.h"
#include "params/departments/departmentrecord.h"
#include "params/departments/departmenttablemodel.h"

// The department family: the eight departments, read with command 111 and
// written with command 112, one department per exchange.
class DepartmentFamily : public ParameterFamily {
    Q_OBJECT
public:
    DepartmentFamily(FamilyContext &ctx, QObject *parent = nullptr);

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
    // A read has started: the write button may be used from now on.
    void readStarted();
    void editsFilled(const DepartmentEditFill &fill);

private:
    void onReadReply(const QByteArray &frame);
    void onWriteReply(const QByteArray &frame);
    void sendWrite();

    FamilyContext &m_ctx;
    DepartmentTableModel m_model;
    int m_currentRow = 0;
    // A write is under way: set by the write button, cleared when the last
    // department is answered or the write stops at a bad row. A late reply
    // after a give-up still continues the write; a reply after a stop does not.
    bool m_writing = false;
};
