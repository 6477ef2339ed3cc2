#pragma once

#include "params/common/gridfamily.h"
#include "params/groups/grouptable.h"

// The thirteen groups: read from the register (command 113) following the
// group number each reply carries, written (command 114) one group per
// request with the revenue share checked before its request is sent.
class GroupFamily : public GridFamily {
    Q_OBJECT
public:
    GroupFamily(FamilyContext &ctx, QObject *parent = nullptr);

    // Commands, texts, record cells and box of the groups.
    static Description description();
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override;
    GroupTable &table() { return static_cast<GroupTable &>(grid()); }

public slots:
    void BtnGReadClick() { read(); }
    void BtnGWriteClick() { write(); }
};
