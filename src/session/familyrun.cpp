#include "session/familyrun.h"

#include "catalogue/familycatalogue.h"
#include "session/registersession.h"
#include "session/writeadmission.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"

#include <QTimer>

#include <algorithm>

FamilyRun::FamilyRun(RegisterSession &session, QObject *parent) : QObject(parent), m_session(session)
{
    connect(&session, &RegisterSession::transferStarted, this, [this](const QString &family, bool write) {
        if (!m_family || family != key())
            return;
        m_counting = write == writes();
        // A whole read or write knows its count only now (the logo's height).
        if (m_counting && m_whole) {
            m_planned = m_family->recordCount();
            emit progress(m_step.family, m_confirmed, m_planned);
        }
    });
    connect(&session, &RegisterSession::recordConfirmed, this, [this](const QString &family, int, const QByteArray &) {
        if (!m_family || family != key() || !m_counting)
            return;
        ++m_confirmed;
        emit progress(m_step.family, m_confirmed, m_planned);
    });
    connect(&session, &RegisterSession::message, this, [this](const QString &, const QString &text) {
        if (m_family)
            m_current.message = text;
    });
    connect(&session, &RegisterSession::programError, this, [this](const QString &text) {
        if (m_family)
            m_current.message = text;
    });
    for (ParameterFamily *family : session.families()) {
        connect(family, &ParameterFamily::actionEnded, this, [this, family](TransferOutcome outcome) {
            if (family == m_family)
                endSoon(outcome);
        });
        if (TransferEngine *engine = family->records())
            connect(engine, &TransferEngine::recordRefused, this, [this, family](int index) {
                if (family == m_family)
                    m_current.refusedRecord = index;
            });
    }
}

QList<RunStep> FamilyRun::steps(Action action, const QList<FamilyId> &families)
{
    QList<RunStep> out;
    for (FamilyId id : FamilyCatalogue::ids())
        if (families.contains(id))
            out << RunStep{id, action, {}, {}, {}};
    return out;
}

void FamilyRun::start(Action action, const QStringList &familyKeys)
{
    QList<FamilyId> ids;
    for (const QString &k : familyKeys)
        if (const FamilyDescription *d = FamilyCatalogue::find(k))
            ids << d->id;
    start(steps(action, ids));
}

void FamilyRun::start(const QList<RunStep> &steps)
{
    if (m_running)
        return;
    m_queue = steps;
    const auto isWrite = [](const RunStep &s) { return s.action == Action::Write || s.action == Action::WriteChanges; };
    QStringList written;
    for (const RunStep &s : std::as_const(m_queue))
        if (isWrite(s) && !written.contains(FamilyCatalogue::key(s.family)))
            written << FamilyCatalogue::key(s.family);
    if (m_writeGuard && !written.isEmpty()) {
        const QStringList allowed = m_writeGuard(written);
        m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                     [&](const RunStep &s) {
                                         return isWrite(s) && !allowed.contains(FamilyCatalogue::key(s.family));
                                     }),
                      m_queue.end());
        written = allowed;
    }
    // The writes of one run pass the session's write door once, together
    // (one backup of all of them).
    // Refused (no backup could be made), the writes do not start: each
    // ends failed with the reason, and the reads of the run still go.
    m_admitted = false;
    m_refusal.clear();
    if (!written.isEmpty() && std::any_of(m_queue.begin(), m_queue.end(), isWrite)) {
        WriteAdmission &door = m_session.writeAdmission();
        QString reason;
        const QMetaObject::Connection told =
            connect(&door, &WriteAdmission::refused, this, [&reason](const QStringList &, const QString &r) { reason = r; });
        m_admitted = door.admit(written);
        disconnect(told);
        if (!m_admitted)
            m_refusal = reason.isEmpty() ? WriteAdmission::RefusedTitle : reason;
    }
    m_results.clear();
    m_running = true;
    m_cancelled = false;
    startNext();
}

void FamilyRun::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_queue.clear();
    m_session.cancel();
    if (!m_family) {
        if (std::exchange(m_admitted, false))
            m_session.writeAdmission().close();
        m_running = false;
        emit finished(m_results);
    }
}

bool FamilyRun::writes() const { return m_step.action == Action::Write || m_step.action == Action::WriteChanges; }

QString FamilyRun::key() const { return FamilyCatalogue::key(m_step.family); }

void FamilyRun::startNext()
{
    if (m_queue.isEmpty()) {
        if (std::exchange(m_admitted, false))
            m_session.writeAdmission().close();
        m_running = false;
        emit finished(m_results);
        return;
    }
    startStep(m_queue.takeFirst());
}

void FamilyRun::startStep(const RunStep &step)
{
    m_step = step;
    m_current = StepResult{};
    m_current.family = step.family;
    m_current.action = step.action;
    m_confirmed = 0;
    m_counting = false;
    m_whole = false;
    m_ending = false;
    m_family = m_session.family(step.family);
    const FamilyDescription *description = FamilyCatalogue::find(step.family);
    if (!m_family || !description) {
        emit stepStarted(step);
        endSoon(TransferOutcome::Failed);
        return;
    }
    m_planned = m_family->recordCount();
    emit stepStarted(step);
    if (step.wanted && !step.wanted()) {
        m_current.skipped = m_planned;
        m_planned = 0;
        emit progress(step.family, 0, 0);
        endSoon(TransferOutcome::Completed);
        return;
    }
    if (!m_refusal.isEmpty() && (step.action == Action::Write || step.action == Action::WriteChanges)) {
        m_current.message = m_refusal;
        endSoon(TransferOutcome::Failed);
        return;
    }
    if (step.before)
        step.before();
    const QString name = description->key;
    switch (step.action) {
    case Action::Read:
    case Action::Write:
        m_whole = true;
        step.action == Action::Write ? m_family->write() : m_family->read();
        break;
    case Action::WriteChanges:
        if (description->changes == FamilyDescription::Changes::Whole) {
            m_whole = true;
            m_family->write();
            break;
        }
        if (description->changes == FamilyDescription::Changes::None) {
            m_current.skipped = 1;
            m_planned = 0;
            endSoon(TransferOutcome::Completed);
            break;
        }
        {
            m_family->actOnRecords();
            const RegisterSync::Plan plan = m_session.sync().writeChanges(name);
            m_planned = plan.toSend;
            m_current.skipped = plan.skipped;
            if (plan.toSend == 0)
                m_family->stopAction(TransferOutcome::Completed);
        }
        break;
    case Action::Verify:
        if (!description->compared()) {
            m_current.skipped = qMax(1, m_planned);
            m_planned = 0;
            endSoon(TransferOutcome::Completed);
            break;
        }
        m_family->actOnRecords();
        if (!m_session.sync().verify(name)) {
            m_planned = 0;
            m_family->stopAction(TransferOutcome::Completed);
        }
        break;
    }
    emit progress(step.family, 0, m_planned);
}

// The family's end signals come from inside the driver's handlers: the
// step ends, and the next starts, once they are done.
void FamilyRun::endSoon(TransferOutcome outcome)
{
    if (m_ending)
        return;
    m_ending = true;
    QTimer::singleShot(0, this, [this, outcome] { endStep(outcome); });
}

void FamilyRun::endStep(TransferOutcome outcome)
{
    if (!m_running)
        return;
    ParameterFamily *family = std::exchange(m_family, nullptr);
    if (m_cancelled)
        outcome = TransferOutcome::Cancelled;
    m_current.outcome = outcome;
    // A family without a reported transfer (the passwords) confirms no
    // record of its own: a run without a stop counts.
    if (family && !family->reportedTransfer() && m_planned > 0 && outcome == TransferOutcome::Completed)
        m_confirmed = m_planned;
    // The bar ends at the count the family reached.
    emit progress(m_step.family, m_confirmed, m_planned);
    if (writes())
        m_current.written = m_confirmed;
    else
        m_current.read = m_confirmed;
    if (outcome != TransferOutcome::Completed)
        m_current.failed = qMax(0, m_planned - m_confirmed);
    const FamilyDescription *description = FamilyCatalogue::find(m_step.family);
    if (m_step.action == Action::Verify && description && description->compared() &&
        outcome == TransferOutcome::Completed)
        m_current.differences = m_session.sync().differences(description->key);
    if (outcome == TransferOutcome::Completed && m_step.afterward)
        m_step.afterward();
    m_results << m_current;
    emit stepDone(m_current);
    if (m_cancelled || (m_stopAtFailure && outcome != TransferOutcome::Completed))
        m_queue.clear();
    startNext();
}
