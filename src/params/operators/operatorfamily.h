#pragma once

#include "params/common/gridfamily.h"
#include "params/operators/operatortable.h"

// The twenty-five operators: read from the register (command 117) following
// the index each reply carries, names and passwords written (command 118)
// one operator per request with the password checked before it is sent. The
// amounts are only read.
class OperatorFamily : public GridFamily {
    Q_OBJECT
public:
    OperatorFamily(FamilyContext &ctx, QObject *parent = nullptr);

    // Commands, texts, record cells and box of the operators.
    static Description description();
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override;
    OperatorTable &table() { return static_cast<OperatorTable &>(grid()); }

public slots:
    void BtnOReadClick() { read(); }
    void BtnOWriteClick() { write(); }
};
