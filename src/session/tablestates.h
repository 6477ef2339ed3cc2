#pragma once

#include "session/tablestate.h"
#include "transfer/transferoutcome.h"

#include <QHash>
#include <QSet>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QImage;
class RegisterSession;
class TransferEngine;

// The table state of each of the session's families, kept by
// following the session: a read record touches its table, a complete read
// or a complete write settles it. Saves and loads of table files are told
// by whoever runs them (loaded, saved).
class TableStates : public QObject {
    Q_OBJECT
public:
    explicit TableStates(RegisterSession &session, QObject *parent = nullptr);

    // The families by the names their transfers carry, in page order.
    QStringList families() const { return m_order; }
    TableState &state(const QString &family);
    bool holdsOnlyDefaults(const QString &family) const;
    // The families whose tables hold edits neither saved nor written, in page order.
    QStringList withUnsavedEdits() const;

    // Every table holds its start-up defaults (after the session's reset).
    void startUp();
    // A table file was loaded into the family's table / its table was saved.
    void loaded(const QString &family);
    void saved(const QString &family);


private:
    void add(const QString &family, TableState::Digest digest);
    void onStarted(const QString &family, bool write);
    void onFinished(const QString &family, bool write, TransferOutcome outcome);
    void writeDone(const QString &family);

    QStringList m_order;
    QHash<QString, TableState *> m_states;
    std::vector<std::unique_ptr<TableState>> m_owned;
    // The digest of each running or last write, taken when it began.
    QHash<QString, QByteArray> m_sent;
    QHash<QString, const TransferEngine *> m_engines;
    // The running read: the records it stored, and the table before it.
    QSet<int> m_readRecords;
    QByteArray m_readFrom;
    bool m_readOverEdits = false;
    QString m_logoFamily;
    bool m_activeWrite = false;
};
