#pragma once

#include "params/common/familycontext.h"
#include "params/common/parameterfamily.h"
#include "params/groups/grouptable.h"

#include <QByteArray>

// The thirteen groups: read from the register (command 113) following the
// group number each reply carries, written (command 114) one group per
// request with the revenue share checked before its request is sent. There
// is no read-back after a write.
class Groups : public ParameterFamily {
    Q_OBJECT
public:
    Groups(FamilyContext &ctx, QObject *parent = nullptr);

    GroupTable &table() { return m_table; }
    const GroupTable &table() const { return m_table; }
    // True from the write button until the last group is acknowledged or the
    // write stops at a refused entry.
    bool isWriting() const { return m_writing; }

public slots:
    void BtnGReadClick();
    void BtnGWriteClick();

signals:
    // A read transfer starts: from now on the write button may be used.
    void readStarted();

private:
    void onReadReply(const QByteArray &frame);
    void onWriteReply(const QByteArray &frame);
    // Builds and sends the write request of the group at the transfer index.
    // A refused share shows the data-error message and ends the write; a
    // regional text that does not convert throws ConversionError.
    void sendWrite();

    FamilyContext &m_ctx;
    GroupTable m_table;
    bool m_writing = false;
};
