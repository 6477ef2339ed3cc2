#pragma once

#include "catalogue/familyid.h"
#include "session/registersync.h"
#include "transfer/transferoutcome.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class ParameterFamily;
class RegisterSession;

// One step of a run over several families.
struct RunStep {
    enum class Action { Read, Write, WriteChanges, Verify };
    FamilyId family = FamilyId::Header;
    Action action = Action::Read;
    // Run once the step has completed, before the next one starts.
    std::function<void()> afterward;
    // Run just before the step starts.
    std::function<void()> before;
    // Asked when the step's turn comes: false skips it (its records counted
    // as skipped).
    std::function<bool()> wanted;
};

// What became of one step.
struct StepResult {
    FamilyId family = FamilyId::Header;
    RunStep::Action action = RunStep::Action::Read;
    int written = 0;     // records the register acknowledged (writes)
    int read = 0;        // records read (reads and verifications)
    int skipped = 0;     // records left out: equal to the register, or not compared
    int failed = 0;      // records planned but not confirmed
    // Every differing field a verification found.
    QList<RecordDifference> differences;
    TransferOutcome outcome = TransferOutcome::Completed;
    QString message;      // the last message the step gave (why it stopped)
    int refusedRecord = -1; // the record a refused write stopped at
};

// Runs steps over families one after another, each when the family's own
// read or write has ended. Writes of changes and verifications go through
// the register sync: families compared record by record send or read those
// records, the logo goes whole and the passwords are left out (counted as
// skipped). The transfers dialog and the command-line tool both run on it.
class FamilyRun : public QObject {
    Q_OBJECT
public:
    using Action = RunStep::Action;

    explicit FamilyRun(RegisterSession &session, QObject *parent = nullptr);

    // Asked once before the writes of a run, with the keys of the families
    // it would write; gives back those to write (the question before a
    // write of nothing but start-up values, asked once for all of them).
    using WriteGuard = std::function<QStringList(const QStringList &families)>;
    void setWriteGuard(WriteGuard guard) { m_writeGuard = std::move(guard); }
    // After a step that did not complete, the rest is dropped.
    void setStopAtFailure(bool stop) { m_stopAtFailure = stop; }

    // One action over families, in page order.
    static QList<RunStep> steps(Action action, const QList<FamilyId> &families);
    void start(const QList<RunStep> &steps);
    void start(Action action, const QStringList &familyKeys);
    bool running() const { return m_running; }
    // Cancels the transfer under way and the steps after it.
    void cancel();

signals:
    void stepStarted(const RunStep &step);
    // The step under way: its records so far and in all.
    void progress(FamilyId family, int done, int total);
    void stepDone(const StepResult &result);
    void finished(const QList<StepResult> &results);

private:
    void startNext();
    void startStep(const RunStep &step);
    void endStep(TransferOutcome outcome);
    void endSoon(TransferOutcome outcome);
    bool writes() const;
    QString key() const;

    RegisterSession &m_session;
    QList<RunStep> m_queue;
    QList<StepResult> m_results;
    RunStep m_step;
    StepResult m_current;
    ParameterFamily *m_family = nullptr;
    int m_planned = 0;
    int m_confirmed = 0;
    // The transfer under way goes the step's way: a write's read-back (the
    // tax rates) confirms records, but writes none.
    bool m_counting = false;
    // The family runs through its own read or write: its count is known once
    // its transfer starts (the logo's height).
    bool m_whole = false;
    bool m_running = false;
    bool m_ending = false;
    bool m_cancelled = false;
    bool m_stopAtFailure = false;
    bool m_admitted = false; // the run's writes passed the write door
    QString m_refusal;       // why the door kept them out
    WriteGuard m_writeGuard;
};
