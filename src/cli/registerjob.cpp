#include "cli/registerjob.h"

#include "catalogue/familycatalogue.h"
#include "cli/differencetext.h"
#include "cli/stoptext.h"
#include "cli/wholefamilycompare.h"
#include "link/tracerecorder.h"
#include "session/profilebridge.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"

#include <QTimer>

RegisterJob::RegisterJob(const RegisterTarget &target, const CliOptions &options, const Regional &regional,
                         QObject *parent)
    : QObject(parent), m_target(target), m_options(options)
{
    m_result.target = target;
    RegisterSession::Options sessionOptions;
    sessionOptions.regional = regional;
    sessionOptions.retryIntervalMs = options.retryMs;
    sessionOptions.registerPort = target.port;
    m_session = std::make_unique<RegisterSession>(sessionOptions);
    const QString serial = target.serial;
    m_session->setSerialNumberSource([serial] { return serial; });
    m_session->reset();
    m_trace = options.trace.isEmpty() ? nullptr : &m_session->trace();

    m_run = std::make_unique<FamilyRun>(*m_session);
    m_run->setStopAtFailure(true);
    connect(m_run.get(), &FamilyRun::stepStarted, this, &RegisterJob::onStepStarted);
    connect(m_run.get(), &FamilyRun::progress, this, [this](FamilyId, int done, int total) {
        const bool more = done > m_stepRecords;
        m_stepRecords = done;
        if (total != m_stepTotal) {
            m_stepTotal = total;
            emit stepChanged();
        }
        if (more)
            emit recordDone();
    });
    connect(m_run.get(), &FamilyRun::stepDone, this, &RegisterJob::onStepDone);
    connect(m_run.get(), &FamilyRun::finished, this, [this] { finish(TransferOutcome::Completed, QString()); });
    // A port that goes away (a pulled adapter) ends the register's run.
    connect(&m_session->registerLine(), &SerialLine::disconnected, this, [this](const QString &reason) {
        m_portLost = true;
        m_portReason = reason;
    });
}

RegisterJob::~RegisterJob()
{
    // The run and the session go first, while the members their signals
    // reach still exist, and tell this job nothing more on their way.
    QObject::disconnect(m_run.get(), nullptr, this, nullptr);
    QObject::disconnect(&m_session->registerLine(), nullptr, this, nullptr);
    m_run.reset();
    m_session.reset();
}

QList<FamilyId> RegisterJob::chosen() const
{
    QList<FamilyId> out;
    for (FamilyId id : FamilyCatalogue::ids())
        if (m_families & id)
            out << id;
    return out;
}

RunStep RegisterJob::step(FamilyId family, Action action, const QString &what)
{
    m_stepTexts << QStringLiteral("%1: %2").arg(FamilyCatalogue::title(family), what);
    return RunStep{family, action, {}, {}, {}};
}

// What the register holds, against the profile that is in the tables. The
// families compared record by record are read into the session's picture of
// the register; the logo and the passwords, which travel whole, are read and
// compared whole. `forChanges`: what differs is only kept for the write after.
RunStep RegisterJob::compare(FamilyId family, bool forChanges)
{
    const QString key = FamilyCatalogue::key(family);
    const QString what = forChanges ? QStringLiteral("тражење измена") : QStringLiteral("провера");
    if (FamilyCatalogue::find(family)->compared()) {
        RunStep s = step(family, Action::Verify, what);
        if (!forChanges)
            s.afterward = [this, key] { m_result.differences << m_session->sync().differences(key); };
        return s;
    }
    RunStep s = step(family, Action::Read, what);
    TransferEngine *engine = m_session->family(family)->reportedTransfer();
    s.before = [this, engine] {
        m_received.clear();
        if (engine)
            engine->setReceiver([this](int index, const QByteArray &wire) { m_received.insert(index, wire); });
    };
    s.afterward = [this, engine, family, forChanges] {
        if (engine)
            engine->setReceiver(nullptr);
        const QList<RecordDifference> found =
            WholeFamilyCompare::differences(*m_session, m_profile, family, m_received);
        if (forChanges)
            m_wholeChanged[family] = !found.isEmpty();
        else
            m_result.differences << found;
    };
    return s;
}

void RegisterJob::startRead(ProfileFamilies families)
{
    m_families = families;
    QList<RunStep> steps;
    for (FamilyId f : chosen())
        steps << step(f, Action::Read, QStringLiteral("читање"));
    run(steps);
}

void RegisterJob::startWrite(const RegisterProfile &profile, ProfileFamilies families, bool changesOnly,
                             bool verify)
{
    m_profile = profile;
    m_families = families;
    ProfileBridge::apply(profile, *m_session, families);
    const QString writing = QStringLiteral("упис");
    QList<RunStep> steps;
    for (FamilyId f : chosen()) {
        if (changesOnly) {
            // What the register holds is read first: the tables keep the profile.
            steps << compare(f, true);
            if (FamilyCatalogue::find(f)->compared()) {
                steps << step(f, Action::WriteChanges, writing);
            } else {
                // The logo and the passwords go whole, when they differ.
                RunStep write = step(f, Action::Write, writing);
                write.wanted = [this, f] { return m_wholeChanged.value(f); };
                steps << write;
            }
            continue;
        }
        if (f == FamilyId::Passwords) {
            // The passwords go back in the record that carries the logo
            // height, so the register's record is read first; the read
            // replaces the fields, which then take the profile's again.
            RunStep read = step(f, Action::Read, QStringLiteral("читање"));
            read.afterward = [this] { ProfileBridge::apply(m_profile, *m_session, FamilyId::Passwords); };
            steps << read;
        }
        steps << step(f, Action::Write, writing);
    }
    if (verify)
        for (FamilyId f : chosen())
            steps << compare(f, false);
    run(steps);
}

void RegisterJob::startVerify(const RegisterProfile &profile, ProfileFamilies families)
{
    m_profile = profile;
    m_families = families;
    ProfileBridge::apply(profile, *m_session, families);
    QList<RunStep> steps;
    for (FamilyId f : chosen())
        steps << compare(f, false);
    run(steps);
}

RegisterProfile RegisterJob::readProfile() const
{
    RegisterProfile profile = ProfileBridge::fromSession(*m_session, m_families);
    profile.manifest.serialNumber = m_target.serial;
    return profile;
}

void RegisterJob::run(const QList<RunStep> &steps)
{
    for (FamilyId f : chosen())
        m_result.families << FamilyCatalogue::key(f);
    m_clock.start();
    QString error;
    if (!m_session->registerLine().open(&error)) {
        finish(TransferOutcome::PortFailed, StopText::portNotOpened(m_target.label(), error));
        return;
    }
    // Started from the event loop, so that every register starts together.
    QTimer::singleShot(0, this, [this, steps] {
        if (!m_done)
            m_run->start(steps);
    });
}

void RegisterJob::onStepStarted(const RunStep &)
{
    m_stepText = m_stepTexts.isEmpty() ? QString() : m_stepTexts.takeFirst();
    m_stepRecords = 0;
    m_stepTotal = 0;
    emit stepChanged();
}

void RegisterJob::onStepDone(const StepResult &r)
{
    if (r.action == Action::Write || r.action == Action::WriteChanges)
        m_result.recordsWritten += r.written;
    if (r.action == Action::WriteChanges || (r.action == Action::Write && r.skipped > 0))
        m_result.skipped += r.skipped;
    if (r.outcome == TransferOutcome::Completed)
        return;
    // A lost port is reported as the port failing, as scripts know it.
    const TransferOutcome outcome =
        m_portLost || r.outcome == TransferOutcome::PortLost ? TransferOutcome::PortFailed : r.outcome;
    const QString key = FamilyCatalogue::key(r.family);
    const QString where = outcome == TransferOutcome::Refused && r.refusedRecord >= 0
                              ? DifferenceText::recordName(key, r.refusedRecord)
                              : FamilyCatalogue::title(r.family);
    const QString detail = m_portLost ? m_portReason : r.message;
    finish(outcome, StopText::forStep(outcome, QStringLiteral("%1, %2").arg(m_target.label(), where), detail));
}

void RegisterJob::finish(TransferOutcome outcome, const QString &error)
{
    if (m_done)
        return;
    m_done = true;
    m_result.outcome = outcome;
    m_result.error = error;
    m_result.seconds = m_clock.isValid() ? m_clock.nsecsElapsed() / 1e9 : 0;
    m_session->registerLine().close();
    emit finished();
}
