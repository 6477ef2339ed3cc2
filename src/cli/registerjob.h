#pragma once

#include "cli/clioptions.h"
#include "profile/registerprofile.h"
#include "session/familyrun.h"
#include "session/registersession.h"
#include "session/registersync.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QObject>
#include <memory>

class TraceRecorder;

// What one register's run came to, for the summary and the exit status.
struct RegisterResult {
    RegisterTarget target;
    QStringList families;
    int recordsWritten = 0;
    int skipped = 0;
    // Field by field, as the differences window lists them.
    QList<RecordDifference> differences;
    TransferOutcome outcome = TransferOutcome::Completed;
    QString error; // the message for the user when the run did not complete
    double seconds = 0;
};

// One register served by its own session (port, driver, retry timer), its
// families run one after another by the session's family run on the shared
// event loop, as the transfers dialog runs them. A changes-only write first
// reads the compared families into the session's picture of the register;
// verification compares them field by field, as the differences window does.
class RegisterJob : public QObject {
    Q_OBJECT
public:
    RegisterJob(const RegisterTarget &target, const CliOptions &options, const Regional &regional,
                QObject *parent = nullptr);
    ~RegisterJob() override;

    RegisterSession &session() { return *m_session; }
    const RegisterResult &result() const { return m_result; }
    bool isDone() const { return m_done; }
    // The step shown in the progress line: family, what is done, records so far and in all.
    QString stepText() const { return m_stepText; }
    int stepDone() const { return m_stepRecords; }
    int stepTotal() const { return m_stepTotal; }

    // Read the families into `profile` (given when done).
    void startRead(ProfileFamilies families);
    // Write the profile's families; with changes-only, read first and send only the differing records.
    void startWrite(const RegisterProfile &profile, ProfileFamilies families, bool changesOnly, bool verify);
    void startVerify(const RegisterProfile &profile, ProfileFamilies families);

    // The profile read by startRead.
    RegisterProfile readProfile() const;

    // The trace of this register (null without --trace).
    TraceRecorder *trace() const { return m_trace; }

signals:
    void stepChanged();
    void recordDone();
    void finished();

private:
    using Action = RunStep::Action;
    QList<FamilyId> chosen() const;
    RunStep step(FamilyId family, Action action, const QString &what);
    RunStep compare(FamilyId family, bool forChanges);
    void run(const QList<RunStep> &steps);
    void onStepStarted(const RunStep &step);
    void onStepDone(const StepResult &result);
    void finish(TransferOutcome outcome, const QString &error);

    RegisterTarget m_target;
    CliOptions m_options;
    std::unique_ptr<RegisterSession> m_session;
    std::unique_ptr<FamilyRun> m_run;
    TraceRecorder *m_trace = nullptr; // the session's, kept only with --trace
    RegisterProfile m_profile;
    ProfileFamilies m_families;
    RegisterResult m_result;
    QElapsedTimer m_clock;
    bool m_done = false;
    bool m_portLost = false;
    QString m_portReason;
    // The progress line's text of each step to come, in order.
    QStringList m_stepTexts;
    QString m_stepText;
    int m_stepRecords = 0;
    int m_stepTotal = 0;
    // The logo rows a whole comparison read, and whether the logo or the
    // passwords differ from the profile.
    QMap<int, QByteArray> m_received;
    QHash<FamilyId, bool> m_wholeChanged;
};
