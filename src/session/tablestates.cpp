#include "session/tablestates.h"

#include "catalogue/familycatalogue.h"
#include "params/logo/logofamily.h"
#include "params/passwords/passwordfamily.h"
#include "session/registersession.h"
#include "transfer/tabledigest.h"

TableStates::TableStates(RegisterSession &session, QObject *parent) : QObject(parent)
{
    for (ParameterFamily *family : session.families()) {
        const QString key = FamilyCatalogue::key(family->id());
        add(key, [family] { return family->tableDigest(); });
        if (TransferEngine *engine = family->reportedTransfer())
            m_engines.insert(key, engine);
    }
    connect(&session, &RegisterSession::transferStarted, this, &TableStates::onStarted);
    connect(&session, &RegisterSession::transferFinished, this, &TableStates::onFinished);
    connect(&session, &RegisterSession::recordConfirmed, this, [this](const QString &family, int index) {
        // A read reply is stored in the table: it now holds register data.
        if (m_activeWrite || !m_states.contains(family))
            return;
        m_states[family]->touch();
        m_readRecords.insert(index);
    });
    // The logo's write ends with the height record, after its rows.
    LogoFamily *logo = &session.logo();
    m_logoFamily = FamilyCatalogue::key(FamilyId::Logo);
    connect(logo, &LogoFamily::writeCompleted, this, [this] { writeDone(m_logoFamily); });
    connect(logo, &LogoFamily::pictureChanged, this, [this] { state(m_logoFamily).touch(); });
    connect(logo, &LogoFamily::pictureLoaded, this, [this] { loaded(m_logoFamily); });
    // The passwords have no record transfer of their own.
    PasswordFamily *passwords = &session.passwords();
    const QString passwordsKey = FamilyCatalogue::key(FamilyId::Passwords);
    connect(passwords, &PasswordFamily::passwordsRead, this, [this, passwordsKey] { loaded(passwordsKey); });
    connect(passwords, &PasswordFamily::writeCompleted, this,
            [this, passwordsKey] { state(passwordsKey).settle(); });
}

void TableStates::add(const QString &family, TableState::Digest digest)
{
    m_order << family;
    m_owned.push_back(std::make_unique<TableState>(std::move(digest)));
    m_states.insert(family, m_owned.back().get());
}

TableState &TableStates::state(const QString &family)
{
    Q_ASSERT(m_states.contains(family));
    return *m_states.value(family);
}

bool TableStates::holdsOnlyDefaults(const QString &family) const
{
    const TableState *s = m_states.value(family);
    return s && s->holdsOnlyDefaults();
}

QStringList TableStates::withUnsavedEdits() const
{
    QStringList families;
    for (const QString &family : m_order)
        if (m_states.value(family)->hasUnsavedEdits())
            families << family;
    return families;
}

void TableStates::startUp()
{
    for (const auto &s : m_owned)
        s->startUp();
    m_sent.clear();
    m_activeWrite = false;
}

void TableStates::loaded(const QString &family)
{
    TableState &s = state(family);
    s.touch();
    s.settle();
}

void TableStates::saved(const QString &family) { state(family).settle(); }

void TableStates::onStarted(const QString &family, bool write)
{
    m_activeWrite = write;
    if (!m_states.contains(family))
        return;
    if (write) {
        m_sent.insert(family, m_states[family]->digest());
    } else {
        m_readRecords.clear();
        m_readFrom = m_states[family]->digest();
        m_readOverEdits = m_states[family]->hasUnsavedEdits();
    }
}

void TableStates::onFinished(const QString &family, bool write, TransferOutcome outcome)
{
    m_activeWrite = false;
    if (outcome != TransferOutcome::Completed || !m_states.contains(family))
        return;
    if (!write) {
        // Rows the read did not reach keep what they held. Edits are taken as
        // replaced only by a read of every record that changed the table (a
        // read into a receiver leaves the table as it was).
        const TransferEngine *engine = m_engines.value(family);
        const bool whole = engine && m_readRecords.size() >= engine->rules().recordCount;
        if (!m_readOverEdits || (whole && m_states[family]->digest() != m_readFrom))
            m_states[family]->settle();
    } else if (family != m_logoFamily) {
        writeDone(family);
    }
}

void TableStates::writeDone(const QString &family)
{
    if (m_sent.contains(family))
        state(family).settle(m_sent.take(family));
}
