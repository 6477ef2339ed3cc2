#pragma once

#include "params/common/familycontext.h"
#include "params/common/parameterfamily.h"
#include "params/operators/operatortable.h"

#include <QByteArray>

// The twenty-five operators: read from the register (command 117) following
// the index each reply carries, names and passwords written (command 118)
// one operator per request with the password checked before its request is
// sent. The amounts are only read; there is no read-back after a write.
class Operators : public ParameterFamily {
    Q_OBJECT
public:
    Operators(FamilyContext &ctx, QObject *parent = nullptr);

    OperatorTable &table() { return m_table; }
    const OperatorTable &table() const { return m_table; }
    // True from the write button until the last operator is acknowledged or
    // the write stops at a refused entry.
    bool isWriting() const { return m_writing; }

public slots:
    void BtnOReadClick();
    void BtnOWriteClick();

signals:
    // A read transfer starts: from now on the write button may be used.
    void readStarted();

private:
    void onReadReply(const QByteArray &frame);
    void onWriteReply(const QByteArray &frame);
    // Builds and sends the write request of the operator at the transfer
    // index. A refused password shows the data-error message and ends the
    // write; an empty one throws ConversionError.
    void sendWrite();

    FamilyContext &m_ctx;
    OperatorTable m_table;
    bool m_writing = false;
};
