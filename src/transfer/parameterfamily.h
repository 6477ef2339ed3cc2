#pragma once

#include "catalogue/familyid.h"
#include "core/programerror.h"
#include "core/regional.h"
#include "transfer/recordfield.h"
#include "transfer/transferoutcome.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class EditHistory;
class QAbstractItemModel;
class TransferEngine;

// Base of the parameter families' logic classes. Families report through
// these signals and never touch the footer or open a window themselves.
// Besides its buttons' handlers (the names the window calls), a family
// answers for itself to whatever runs it without a window: its read and
// write, its records one by one, their fields and its table's row marks.
class ParameterFamily : public QObject {
    Q_OBJECT
public:
    explicit ParameterFamily(QObject *parent = nullptr) : QObject(parent) {}

    // The catalogue's family this object is.
    FamilyId id() const { return m_id; }

    // The family's whole read or write, as its buttons start them;
    // actionEnded follows once it is over, read-back included (as it
    // follows any action the family's handlers begin).
    void read();
    void write();
    bool acting() const { return m_acting; }
    // An action on chosen records, started through records() (a write of
    // changes, a verification read): actionEnded follows its end as it
    // follows a whole read or write.
    void actOnRecords() { m_acting = true; }
    // A stop the family saw no end of (no reply, a cancel, a lost port)
    // ends its action, when one runs.
    void stopAction(TransferOutcome outcome) { endAction(outcome); }

    // The transfer of the family's records one by one (a chosen set, a
    // verification read into the register mirror), or nullptr.
    virtual TransferEngine *records() { return nullptr; }
    // The transfer whose starts and ends the session reports as the
    // family's (the logo: its rows); nullptr for none.
    virtual TransferEngine *reportedTransfer() { return records(); }
    // How many records a whole transfer carries now.
    virtual int recordCount() const { return 0; }
    // A record's write bytes as named fields; a family without a field
    // layout shows the bytes.
    virtual QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const;
    // Puts a field's text into the family's table; false when it has no cell.
    virtual bool setField(int index, int column, const QString &text);
    // The marks of differing records (by record index) onto the table's rows.
    virtual void markRows(const QHash<int, QString> &marks) { Q_UNUSED(marks); }
    // The table the marks go on, to follow its edits; nullptr without one.
    virtual QAbstractItemModel *tableModel() { return nullptr; }
    // The undo history of that table; nullptr without one.
    virtual EditHistory *editHistory() { return nullptr; }
    // A digest of what the family's table shows (its model's cells unless
    // the family says otherwise).
    virtual QByteArray tableDigest();
    // The table's cells, row by row, as a profile keeps an added family
    // (the register's own families have their own profile layouts).
    virtual QList<QStringList> tableRows();
    virtual void setTableRows(const QList<QStringList> &rows);

signals:
    void status(const QString &text);
    void progress(int value);
    void message(const QString &title, const QString &text);
    // An error the family does not handle itself: the general error report.
    void programError(const QString &text);
    // A read transfer starts: from now on the write button may be used.
    void readStarted();
    // A transfer that keeps the pages from being switched runs (articles), or
    // lets them go.
    void pagesLocked(bool locked);
    // The read or write started by read() or write() is over.
    void actionEnded(TransferOutcome outcome);

public:
    // Runs a handler; a program error abandons it and is reported.
    template <typename F>
    void guarded(F &&handler)
    {
        if (const std::optional<QString> failure = failureOf(handler))
            emit programError(*failure);
    }

protected:
    void setId(FamilyId id) { m_id = id; }
    // A handler starts the family's read or write.
    void beginAction() { m_acting = true; }
    // A whole read or write that is one transfer of `engine`.
    void actWith(TransferEngine &engine, bool write);
    // The handlers of the family's read and write buttons.
    virtual void startRead() {}
    virtual void startWrite() {}
    // The family's action came to its end.
    void endAction(TransferOutcome outcome);
    // The action is one transfer of `engine`: its end is the action's.
    void endsWith(TransferEngine &engine);

private:
    FamilyId m_id = FamilyId::Header;
    bool m_acting = false;
};
