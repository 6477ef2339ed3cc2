#pragma once

#include "transfer/transferoutcome.h"

#include <QList>
#include <QObject>
#include <functional>
#include <QString>
#include <QStringList>

class RegisterSession;

// What became of one family in a run over several families.
struct FamilyResult {
    QString family;
    int written = 0;     // records the register acknowledged (writes)
    int read = 0;        // records read (reads and verifications)
    int skipped = 0;     // records left out: equal to the register, or not compared
    int differences = 0; // differing fields found by a verification
    int failed = 0;      // records planned but not confirmed
    TransferOutcome outcome = TransferOutcome::Completed;
};

// Runs one action over families one after another, each when the one before
// has ended (the driver idle again). The families not compared record by
// record (RegisterSync::comparable): a verification leaves them out (counted
// as skipped); a changes-only write sends the logo whole and leaves the
// passwords out.
class FamilySequence : public QObject {
    Q_OBJECT
public:
    enum class Action { Read, Write, WriteChanges, Verify };

    // The families in page order, by name.
    static const QStringList &allFamilies();

    explicit FamilySequence(RegisterSession &session, QObject *parent = nullptr);

    // Asked once before a write, with the families it would write; gives
    // back those to write (the question before a write of nothing but
    // start-up values, asked once for all of them).
    using WriteGuard = std::function<QStringList(const QStringList &families)>;
    void setWriteGuard(WriteGuard guard) { m_writeGuard = std::move(guard); }

    void start(Action action, const QStringList &families);
    bool running() const { return m_running; }
    // Cancels the transfer under way and the families after it.
    void cancel();

signals:
    // The family under way and its record count so far.
    void progress(const QString &family, int done, int total);
    void familyDone(const FamilyResult &result);
    void finished(const QList<FamilyResult> &results);

private:
    void startNext();
    void startFamily(const QString &family);
    void endFamily();
    int recordCount(const QString &family) const;
    bool writes() const { return m_action == Action::Write || m_action == Action::WriteChanges; }
    bool invokeFamilySlot(const QString &family, bool write);

    RegisterSession &m_session;
    Action m_action = Action::Read;
    QStringList m_queue;
    QList<FamilyResult> m_results;
    FamilyResult m_current;
    int m_planned = 0;
    int m_confirmed = 0;
    // The transfer under way goes the action's way: a write's read-back
    // (the tax rates) confirms records, but writes none.
    bool m_counting = false;
    // The family runs through its own read or write: its count is known once
    // its transfer starts.
    bool m_whole = false;
    bool m_running = false;
    bool m_inFamily = false;
    bool m_ending = false;
    bool m_gaveUp = false;
    bool m_cancelled = false;
    WriteGuard m_writeGuard;
};
