#include "cli/registerjob.h"

#include "cli/clitrace.h"
#include "cli/differencetext.h"
#include "cli/stoptext.h"
#include "cli/wholefamilycompare.h"
#include "link/tracerecorder.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/logo/logopicture.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/profilebridge.h"
#include "session/recordfields.h"

#include "vilaronversion.h"

#include <QDateTime>
#include <QTimer>

namespace {

QString nameOf(ProfileFamily family) { return ProfileFamilyNames::name(family); }
QString titleOf(ProfileFamily family) { return familyTitle(DifferenceText::transferFamily(family)); }

} // namespace

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

    connect(m_session.get(), &RegisterSession::transferFinished, this,
            [this](const QString &, bool, TransferOutcome outcome) {
                // The step's own transfer ended; a read-back that follows is not counted.
                if (m_stepActive && !m_stepOutcome) {
                    m_stepOutcome = outcome;
                    m_counting = false;
                }
            });
    connect(&m_session->driver(), &ExchangeDriver::gaveUp, this, [this] { m_gaveUp = true; });
    // A port that goes away (a pulled adapter) ends the register's run.
    connect(&m_session->registerLine(), &SerialLine::disconnected, this, [this](const QString &reason) {
        m_portLost = true;
        m_lastMessage = reason;
    });
    connect(m_session.get(), &RegisterSession::message, this,
            [this](const QString &, const QString &text) { m_lastMessage = text; });
    connect(m_session.get(), &RegisterSession::programError, this,
            [this](const QString &text) { m_lastMessage = text; });
    for (TransferEngine *engine : m_session->transfers())
        connect(engine, &TransferEngine::recordRefused, this, [this](int index) { m_refused = index; });
    connect(m_session.get(), &RegisterSession::recordConfirmed, this, [this] {
        ++m_stepRecords;
        if (m_counting)
            ++m_result.recordsWritten;
        emit recordDone();
    });
    // A step ends when the driver has nothing more to send; the check runs
    // after the handler that cleared the busy flag is done.
    connect(m_session.get(), &RegisterSession::busyChanged, this, [this](bool busy) {
        if (!busy)
            QTimer::singleShot(0, this, &RegisterJob::checkStepDone);
    });
}

RegisterJob::~RegisterJob()
{
    // The session goes first, while the members its signals reach still
    // exist, and tells this job nothing more on its way.
    QObject::disconnect(m_session.get(), nullptr, this, nullptr);
    QObject::disconnect(&m_session->driver(), nullptr, this, nullptr);
    QObject::disconnect(&m_session->registerLine(), nullptr, this, nullptr);
    for (TransferEngine *engine : m_session->transfers())
        QObject::disconnect(engine, nullptr, this, nullptr);
    m_session.reset();
}

bool RegisterJob::openPort()
{
    QString error;
    if (m_session->registerLine().open(&error))
        return true;
    finish(TransferOutcome::PortFailed, StopText::portNotOpened(m_target.label(), error));
    return false;
}

void RegisterJob::startRead(ProfileFamilies families)
{
    m_families = families;
    for (ProfileFamily family : ProfileFamilyNames::all())
        if (families & family)
            addRead(family);
    run();
}

void RegisterJob::startWrite(const RegisterProfile &profile, ProfileFamilies families, bool changesOnly,
                             bool verify)
{
    m_profile = profile;
    m_families = families;
    ProfileBridge::apply(profile, *m_session, families);
    for (ProfileFamily family : ProfileFamilyNames::all()) {
        if (!(families & family))
            continue;
        if (changesOnly) {
            addCompare(family, true);
        } else if (family == ProfileFamily::Passwords) {
            // The passwords go back in the record that carries the logo
            // height, so the register's record is read first; the read
            // replaces the fields, which then take the profile's again.
            addRead(family);
            m_steps.last().after = [this] { ProfileBridge::apply(m_profile, *m_session, ProfileFamily::Passwords); };
        }
        addWrite(family, changesOnly);
    }
    if (verify)
        for (ProfileFamily family : ProfileFamilyNames::all())
            if (families & family)
                addCompare(family, false);
    run();
}

void RegisterJob::startVerify(const RegisterProfile &profile, ProfileFamilies families)
{
    m_profile = profile;
    m_families = families;
    ProfileBridge::apply(profile, *m_session, families);
    for (ProfileFamily family : ProfileFamilyNames::all())
        if (families & family)
            addCompare(family, false);
    run();
}

RegisterProfile RegisterJob::readProfile() const
{
    RegisterProfile profile = ProfileBridge::fromSession(*m_session, m_families);
    profile.manifest.serialNumber = m_target.serial;
    return profile;
}

void RegisterJob::run()
{
    for (ProfileFamily family : ProfileFamilyNames::all())
        if (m_families & family)
            m_result.families << nameOf(family);
    m_clock.start();
    if (!openPort())
        return;
    // Started from the event loop, so that every register starts together.
    QTimer::singleShot(0, this, &RegisterJob::next);
}

void RegisterJob::next()
{
    if (m_done)
        return;
    if (m_steps.isEmpty()) {
        finish(TransferOutcome::Completed, QString());
        return;
    }
    const Step &step = m_steps.first();
    m_stepActive = true;
    m_stepOutcome.reset();
    m_gaveUp = false;
    m_lastMessage.clear();
    m_refused = -1;
    m_stepText = step.text;
    m_stepRecords = 0;
    m_stepTotal = step.total;
    emit stepChanged();
    step.start();
    if (!m_session->driver().isBusy())
        QTimer::singleShot(0, this, &RegisterJob::checkStepDone);
}

void RegisterJob::checkStepDone()
{
    if (!m_stepActive || m_session->driver().isBusy() || m_steps.isEmpty())
        return;
    m_stepActive = false;
    m_counting = false;
    const Step step = m_steps.takeFirst();
    TransferOutcome outcome = TransferOutcome::Completed;
    if (m_portLost)
        outcome = TransferOutcome::PortFailed;
    else if (m_gaveUp)
        outcome = TransferOutcome::NoReply;
    else if (m_stepOutcome)
        outcome = *m_stepOutcome;
    else if (!m_lastMessage.isEmpty())
        outcome = TransferOutcome::Failed;
    if (outcome != TransferOutcome::Completed) {
        const QString family = DifferenceText::transferFamily(step.family);
        const QString where = outcome == TransferOutcome::Refused && m_refused >= 0
                                  ? DifferenceText::recordName(family, m_refused)
                                  : familyTitle(family);
        finish(outcome, StopText::forStep(outcome, QStringLiteral("%1, %2").arg(m_target.label(), where),
                                          m_lastMessage));
        return;
    }
    if (step.after)
        step.after();
    next();
}

void RegisterJob::finish(TransferOutcome outcome, const QString &error)
{
    if (m_done)
        return;
    m_done = true;
    m_result.outcome = outcome;
    m_result.error = error;
    m_result.seconds = m_clock.isValid() ? m_clock.nsecsElapsed() / 1e9 : 0;
    m_steps.clear();
    m_session->registerLine().close();
    emit finished();
}

TransferEngine *RegisterJob::engineOf(ProfileFamily family) const
{
    RegisterSession &s = *m_session;
    switch (family) {
    case ProfileFamily::Header: return &s.headerLines().transfer();
    case ProfileFamily::Taxes: return &s.taxRates().transfer();
    case ProfileFamily::Departments: return &s.departments().transfer();
    case ProfileFamily::Articles: return &s.articles().transfer();
    case ProfileFamily::Groups: return &s.groups().transfer();
    case ProfileFamily::Operators: return &s.operators().transfer();
    case ProfileFamily::Logo: return &s.logo().rows();
    case ProfileFamily::Passwords: return nullptr;
    }
    return nullptr;
}

int RegisterJob::recordCount(ProfileFamily family) const
{
    switch (family) {
    case ProfileFamily::Logo: return m_session->logo().picture().height();
    case ProfileFamily::Passwords: return 1;
    default: return engineOf(family)->rules().recordCount;
    }
}

namespace {
// The family's own read or write button, as the window would press it.
void press(RegisterSession &s, ProfileFamily family, bool write)
{
    switch (family) {
    case ProfileFamily::Header:
        return write ? s.headerLines().btnWriteClicheClick() : s.headerLines().btnReadClicheClick();
    case ProfileFamily::Taxes: return write ? s.taxRates().btnTGWriteClick() : s.taxRates().btnTGReadClick();
    case ProfileFamily::Departments:
        return write ? s.departments().btnSTWriteClick() : s.departments().btnSTReadClick();
    case ProfileFamily::Articles: return write ? s.articles().btnAWriteClick() : s.articles().btnAReadClick();
    case ProfileFamily::Groups: return write ? s.groups().BtnGWriteClick() : s.groups().BtnGReadClick();
    case ProfileFamily::Operators: return write ? s.operators().BtnOWriteClick() : s.operators().BtnOReadClick();
    case ProfileFamily::Logo: return write ? s.logo().btnLogoWriteClick() : s.logo().btnLogoReadClick();
    case ProfileFamily::Passwords:
        return write ? s.passwords().BtnLozinkaWriteClick() : s.passwords().BtnLozinkaReadClick();
    }
}
} // namespace

void RegisterJob::addRead(ProfileFamily family)
{
    RegisterSession *s = m_session.get();
    Step step;
    step.family = family;
    step.text = QStringLiteral("%1: читање").arg(titleOf(family));
    step.total = family == ProfileFamily::Logo ? 0 : recordCount(family);
    step.start = [s, family] {
        press(*s, family, false);
    };
    m_steps << step;
}

void RegisterJob::addWrite(ProfileFamily family, bool changesOnly)
{
    RegisterSession *s = m_session.get();
    Step step;
    step.family = family;
    step.text = QStringLiteral("%1: упис").arg(titleOf(family));
    step.total = recordCount(family);
    step.start = [this, s, family, changesOnly] {
        const int count = recordCount(family);
        if (changesOnly) {
            const QList<int> changed = m_changed.value(family);
            if (changed.isEmpty()) {
                m_result.skipped += count;
                return;
            }
            // The logo and the passwords travel as a whole with their record;
            // the tables send only the records that differ.
            if (family != ProfileFamily::Logo && family != ProfileFamily::Passwords) {
                m_result.skipped += count - int(changed.size());
                m_stepTotal = int(changed.size());
                emit stepChanged();
                m_counting = true;
                engineOf(family)->write(changed);
                return;
            }
        }
        m_counting = true;
        press(*s, family, true);
        if (family == ProfileFamily::Passwords)
            ++m_result.recordsWritten; // one record, confirmed by its reply
    };
    m_steps << step;
}

void RegisterJob::addCompare(ProfileFamily family, bool forChanges)
{
    RegisterSession *s = m_session.get();
    Step step;
    step.family = family;
    step.text = QStringLiteral("%1: %2").arg(titleOf(family), forChanges ? QStringLiteral("тражење измена")
                                                                         : QStringLiteral("провера"));
    step.total = family == ProfileFamily::Logo ? 0 : recordCount(family);
    const QString name = DifferenceText::transferFamily(family);
    if (RegisterSync::comparable(name)) {
        // The read goes into the session's picture of the register; the
        // tables keep the profile, and the two are compared field by field.
        step.start = [this, s, name] {
            if (!s->sync().verify(name) && m_lastMessage.isEmpty())
                m_lastMessage = QStringLiteral("читање није почело");
        };
        step.after = [this, s, family, name, forChanges] {
            if (forChanges)
                m_changed.insert(family, s->sync().changedRecords(name));
            else
                m_result.differences << s->sync().differences(name);
        };
        m_steps << step;
        return;
    }
    step.start = [this, s, family] {
        m_received.clear();
        if (TransferEngine *engine = engineOf(family))
            engine->setReceiver([this](int index, const QByteArray &wire) { m_received.insert(index, wire); });
        press(*s, family, false);
    };
    step.after = [this, family, forChanges] {
        if (TransferEngine *engine = engineOf(family))
            engine->setReceiver(nullptr);
        const QList<RecordDifference> found = WholeFamilyCompare::differences(*m_session, m_profile, family, m_received);
        if (forChanges)
            m_changed.insert(family, found.isEmpty() ? QList<int>() : QList<int>{0});
        else
            m_result.differences << found;
    };
    m_steps << step;
}
