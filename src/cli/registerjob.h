#pragma once

#include "cli/clioptions.h"
#include "profile/registerprofile.h"
#include "session/registersession.h"
#include "session/registersync.h"

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <functional>
#include <optional>
#include <memory>

class TraceRecorder;

// What one register's run came to, for the summary and the exit status.
struct RegisterResult {
    RegisterTarget target;
    QStringList families;
    int recordsWritten = 0;
    int skipped = 0;
    // Field by field, as the differences window lists them (the logo height: index -1).
    QList<RecordDifference> differences;
    TransferOutcome outcome = TransferOutcome::Completed;
    QString error; // the message for the user when the run did not complete
    double seconds = 0;
};

// One register served by its own session (port, driver, retry timer): a
// queue of family transfers run one after the other on the shared event
// loop. Reading, writing (all records or only those that differ) and
// comparing are built from the session's transfers, its register sync (the
// differences window's field comparison) and the profile bridge.
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
    struct Step {
        ProfileFamily family;
        QString text;
        int total = 0;
        std::function<void()> start;
        std::function<void()> after; // run when the step completed
    };

    bool openPort();
    void run();
    void next();
    void checkStepDone();
    void finish(TransferOutcome outcome, const QString &error);

    void addRead(ProfileFamily family);
    void addWrite(ProfileFamily family, bool changesOnly);
    void addCompare(ProfileFamily family, bool forChanges);
    int recordCount(ProfileFamily family) const;
    TransferEngine *engineOf(ProfileFamily family) const;

    RegisterTarget m_target;
    CliOptions m_options;
    std::unique_ptr<RegisterSession> m_session;
    TraceRecorder *m_trace = nullptr; // the session's, kept only with --trace
    RegisterProfile m_profile;
    ProfileFamilies m_families;
    QList<Step> m_steps;
    RegisterResult m_result;
    QElapsedTimer m_clock;
    bool m_done = false;
    bool m_stepActive = false;
    bool m_counting = false;
    std::optional<TransferOutcome> m_stepOutcome;
    bool m_gaveUp = false;
    bool m_portLost = false;
    QString m_lastMessage;
    int m_refused = -1; // the record the step's write refused
    QString m_stepText;
    int m_stepRecords = 0;
    int m_stepTotal = 0;
    // Records that differ, per family, found by a read before a changes-only write.
    QMap<ProfileFamily, QList<int>> m_changed;
    QMap<int, QByteArray> m_received;
};
