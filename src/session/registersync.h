#pragma once

#include "transfer/recordfield.h"
#include "session/registermirror.h"
#include "transfer/transferoutcome.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class RegisterSession;
class TransferEngine;

// A field whose table text differs from what the register holds.
struct RecordDifference {
    QString family;
    int index = 0;
    QString field;
    QString table;
    QString held; // the register's text
    int column = -1;
    bool operator==(const RecordDifference &o) const
    {
        return family == o.family && index == o.index && field == o.field && table == o.table && held == o.held;
    }
};

// The table against the register mirror: writes of changed records only,
// verification reads that leave the table alone, and the differences found.
// Compared are the families whose records the engine reads and writes one by
// one on their own. Not compared: the passwords (one record of the logo's
// password command) and the logo (its rows go with the height in that record,
// and a read of it redraws the picture): they are written whole.
class RegisterSync : public QObject {
    Q_OBJECT
public:
    RegisterSync(RegisterSession &session, RegisterMirror &mirror, QObject *parent = nullptr);

    // True for the families compared record by record.
    static bool comparable(const QString &family);

    // The record transfer of a family by key ("articles"), or nullptr.
    TransferEngine *engine(const QString &family) const;

    // Records whose table bytes differ from the register or are not known.
    // A record the table cannot write counts as changed: its write then
    // stops with the family's refusal, as a full write would.
    QList<int> changedRecords(const QString &family) const;

    struct Plan {
        int toSend = 0;
        int skipped = 0;
    };
    // Starts a write of the changed records, in index order. Nothing goes
    // out when every record is known and equal.
    Plan writeChanges(const QString &family);

    // Reads the family into the mirror without touching its table;
    // verifyFinished follows. False when the family has no records to read.
    bool verify(const QString &family);
    bool verifying() const { return !m_verifying.isEmpty(); }

    // Every differing field of the known records of a family.
    QList<RecordDifference> differences(const QString &family) const;
    // The known records that differ, with the register's values as text.
    QHash<int, QString> differingRecords(const QString &family) const;
    // Copies the register's values of the given fields into their tables
    // (articles, departments, groups, operators; the other families' bytes
    // have no cell); returns how many were copied.
    int takeHeld(const QList<RecordDifference> &differences);

signals:
    void verifyFinished(const QString &family, TransferOutcome outcome, const QList<RecordDifference> &differences);

private:
    int takeEach(const QList<RecordDifference> &differences);
    // The table's write bytes, or nullopt when the table cannot write it.
    std::optional<QByteArray> tableWire(TransferEngine &engine, int index) const;
    QList<RecordField> fields(const QString &family, const QByteArray &wire) const;
    QList<RecordDifference> compareRecord(const QString &family, int index, const QByteArray &held) const;
    void onTransferFinished(const QString &family, bool write, TransferOutcome outcome);

    RegisterSession &m_session;
    RegisterMirror &m_mirror;
    QString m_verifying;
};
