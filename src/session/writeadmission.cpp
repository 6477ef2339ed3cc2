#include "session/writeadmission.h"

#include "params/logo/logofamily.h"
#include "session/registersession.h"
#include "catalogue/familycatalogue.h"

const QString WriteAdmission::RefusedTitle = QStringLiteral("Упис није почео");

WriteAdmission::WriteAdmission(RegisterSession &session) : m_session(session)
{
    for (TransferEngine *engine : session.transfers()) {
        const QString family = engine->rules().family;
        engine->setWriteGate([this, family] { return gate(family); });
    }
    // The password record goes out on its own for the passwords, and after
    // the rows as the end of a logo write (which was let through already).
    LogoPasswordRecord &record = session.logo().record();
    record.transfer().setWriteGate([this, &record] {
        return record.pending() == LogoPasswordRecord::Operation::LogoWrite || gate(FamilyCatalogue::key(FamilyId::Passwords));
    });
    connect(&session, &RegisterSession::transferFinished, this, [this](const QString &, bool write, TransferOutcome o) {
        if (write && o != TransferOutcome::Completed)
            close();
    });
}

bool WriteAdmission::admit(const QStringList &families)
{
    m_admitted.clear();
    QString reason;
    if (m_guard && !m_guard(families, &reason)) {
        emit m_session.message(RefusedTitle, reason);
        emit refused(families, reason);
        return false;
    }
    m_admitted = families;
    return true;
}

bool WriteAdmission::gate(const QString &family)
{
    if (m_admitted.removeOne(family))
        return true;
    if (!admit({family}))
        return false;
    m_admitted.removeOne(family);
    return true;
}
