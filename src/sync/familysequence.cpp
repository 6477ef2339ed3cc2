#include "sync/familysequence.h"

#include "transfer/parameterfamily.h"
#include "session/registersession.h"
#include "session/registersync.h"

#include <QMetaObject>
#include <QTimer>

#include <algorithm>

namespace {
const QString PasswordsFamily = QStringLiteral("passwords");

struct FamilySlots {
    const char *family;
    const char *read;
    const char *write;
};
// In page order, as RegisterSession::families() lists them.
constexpr FamilySlots Slots[] = {
    {"headerlines", "btnReadClicheClick", "btnWriteClicheClick"},
    {"taxrates", "btnTGReadClick", "btnTGWriteClick"},
    {"departments", "btnSTReadClick", "btnSTWriteClick"},
    {"articles", "btnAReadClick", "btnAWriteClick"},
    {"groups", "BtnGReadClick", "BtnGWriteClick"},
    {"operators", "BtnOReadClick", "BtnOWriteClick"},
    {"logo", "btnLogoReadClick", "btnLogoWriteClick"},
    {"passwords", "BtnLozinkaReadClick", "BtnLozinkaWriteClick"},
};
} // namespace

const QStringList &FamilySequence::allFamilies()
{
    static const QStringList names = [] {
        QStringList n;
        for (const FamilySlots &s : Slots)
            n << QString::fromLatin1(s.family);
        return n;
    }();
    return names;
}

FamilySequence::FamilySequence(RegisterSession &session, QObject *parent) : QObject(parent), m_session(session)
{
    connect(&session, &RegisterSession::transferStarted, this, [this](const QString &family, bool write) {
        if (!m_inFamily || family != m_current.family)
            return;
        m_counting = write == writes();
        // A whole read or write knows its count only now (the logo's height).
        if (m_counting && m_whole) {
            m_planned = recordCount(family);
            emit progress(family, m_confirmed, m_planned);
        }
    });
    connect(&session, &RegisterSession::recordConfirmed, this, [this](const QString &family, int, const QByteArray &) {
        if (!m_inFamily || family != m_current.family || !m_counting)
            return;
        ++m_confirmed;
        emit progress(family, m_confirmed, m_planned);
    });
    connect(&session, &RegisterSession::transferFinished, this,
            [this](const QString &family, bool, TransferOutcome outcome) {
                if (m_inFamily && family == m_current.family)
                    m_current.outcome = outcome;
            });
    connect(&session.driver(), &ExchangeDriver::gaveUp, this, [this] {
        if (m_inFamily)
            m_gaveUp = true;
    });
    // The end of a family: the driver idle again. Its end signals (a give-up,
    // a cancel) may follow the idle one, so the family ends a turn later.
    connect(&session.driver(), &ExchangeDriver::busyChanged, this, [this](bool busy) {
        if (!busy && m_inFamily && !m_ending) {
            m_ending = true;
            QTimer::singleShot(0, this, &FamilySequence::endFamily);
        }
    });
}

void FamilySequence::start(Action action, const QStringList &families)
{
    if (m_running)
        return;
    m_action = action;
    m_queue.clear();
    for (const QString &f : allFamilies())
        if (families.contains(f))
            m_queue << f;
    if (writes() && m_writeGuard && !m_queue.isEmpty()) {
        const QStringList allowed = m_writeGuard(m_queue);
        m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                     [&allowed](const QString &f) { return !allowed.contains(f); }),
                      m_queue.end());
    }
    m_results.clear();
    m_running = true;
    m_cancelled = false;
    startNext();
}

void FamilySequence::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_queue.clear();
    m_session.cancel();
    if (!m_inFamily) {
        m_running = false;
        emit finished(m_results);
    }
}

int FamilySequence::recordCount(const QString &family) const
{
    if (family == PasswordsFamily)
        return 1;
    TransferEngine *e = m_session.sync().engine(family);
    return e ? e->rules().recordCount : 0;
}

bool FamilySequence::invokeFamilySlot(const QString &family, bool write)
{
    const int i = int(allFamilies().indexOf(family));
    if (i < 0)
        return false;
    ParameterFamily *object = m_session.families().value(i);
    return object && QMetaObject::invokeMethod(object, write ? Slots[i].write : Slots[i].read);
}

void FamilySequence::startNext()
{
    if (m_queue.isEmpty()) {
        m_running = false;
        emit finished(m_results);
        return;
    }
    startFamily(m_queue.takeFirst());
}

void FamilySequence::startFamily(const QString &family)
{
    m_current = FamilyResult{};
    m_current.family = family;
    m_current.outcome = TransferOutcome::Completed;
    m_confirmed = 0;
    m_counting = false;
    m_whole = false;
    m_gaveUp = false;
    m_ending = false;
    m_planned = recordCount(family);
    const bool compared = RegisterSync::comparable(family);
    m_inFamily = true;
    switch (m_action) {
    case Action::Read:
    case Action::Write:
        m_whole = true;
        if (!invokeFamilySlot(family, m_action == Action::Write))
            m_current.outcome = TransferOutcome::Failed;
        break;
    case Action::WriteChanges:
        if (family == QLatin1String("logo")) {
            // The picture goes whole, with its height.
            m_whole = true;
            if (!invokeFamilySlot(family, true))
                m_current.outcome = TransferOutcome::Failed;
            break;
        }
        if (!compared) {
            m_current.skipped = 1;
            m_planned = 0;
            break;
        }
        {
            const RegisterSync::Plan plan = m_session.sync().writeChanges(family);
            m_planned = plan.toSend;
            m_current.skipped = plan.skipped;
        }
        break;
    case Action::Verify:
        if (!compared) {
            m_current.skipped = qMax(1, m_planned);
            m_planned = 0;
            break;
        }
        if (!m_session.sync().verify(family))
            m_planned = 0;
        break;
    }
    emit progress(family, 0, m_planned);
    if (!m_session.driver().isBusy() && !m_ending) {
        m_ending = true;
        QTimer::singleShot(0, this, &FamilySequence::endFamily);
    }
}

void FamilySequence::endFamily()
{
    if (!m_inFamily)
        return;
    m_inFamily = false;
    const bool write = writes();
    if (m_gaveUp && m_current.outcome == TransferOutcome::Completed)
        m_current.outcome = TransferOutcome::NoReply;
    if (m_cancelled)
        m_current.outcome = TransferOutcome::Cancelled;
    // The passwords confirm no record of their own: a run without a stop counts.
    if (m_current.family == PasswordsFamily && m_planned > 0 && m_current.outcome == TransferOutcome::Completed)
        m_confirmed = m_planned;
    // The bar ends at the count the family reached.
    emit progress(m_current.family, m_confirmed, m_planned);
    if (write)
        m_current.written = m_confirmed;
    else
        m_current.read = m_confirmed;
    if (m_current.outcome != TransferOutcome::Completed)
        m_current.failed = qMax(0, m_planned - m_confirmed);
    if (m_action == Action::Verify && RegisterSync::comparable(m_current.family) && m_current.outcome == TransferOutcome::Completed)
        m_current.differences = int(m_session.sync().differences(m_current.family).size());
    m_results << m_current;
    emit familyDone(m_current);
    if (m_cancelled) {
        m_queue.clear();
    }
    startNext();
}
