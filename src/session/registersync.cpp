#include "session/registersync.h"

#include "catalogue/familycatalogue.h"
#include "core/programerror.h"
#include "edit/edithistory.h"
#include "edit/stepnames.h"
#include "session/registersession.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"

namespace {
const QString Unwritable = QStringLiteral("Грешка у подацима");
}

RegisterSync::RegisterSync(RegisterSession &session, RegisterMirror &mirror, QObject *parent)
    : QObject(parent), m_session(session), m_mirror(mirror)
{
    connect(&m_session, &RegisterSession::transferFinished, this, &RegisterSync::onTransferFinished);
}

bool RegisterSync::comparable(const QString &family)
{
    const FamilyDescription *d = FamilyCatalogue::find(family);
    return d && d->compared();
}

TransferEngine *RegisterSync::engine(const QString &family) const
{
    ParameterFamily *f = m_session.family(family);
    return f ? f->records() : nullptr;
}

QList<RecordField> RegisterSync::fields(const QString &family, const QByteArray &wire) const
{
    ParameterFamily *f = m_session.family(family);
    return f ? f->recordFields(wire, m_session.regional()) : QList<RecordField>();
}

std::optional<QByteArray> RegisterSync::tableWire(TransferEngine &engine, int index) const
{
    try {
        return engine.rules().writeRequest(index);
    } catch (const ProgramError &) {
        return std::nullopt;
    }
}

QList<int> RegisterSync::changedRecords(const QString &family) const
{
    QList<int> changed;
    TransferEngine *e = comparable(family) ? engine(family) : nullptr;
    if (!e)
        return changed;
    const QHash<int, QByteArray> held = m_mirror.family(family);
    for (int i = 0; i < e->rules().recordCount; ++i) {
        const auto h = held.constFind(i);
        if (h == held.constEnd()) {
            changed << i;
            continue;
        }
        const std::optional<QByteArray> wire = tableWire(*e, i);
        if (!wire || *wire != *h)
            changed << i;
    }
    return changed;
}

RegisterSync::Plan RegisterSync::writeChanges(const QString &family)
{
    Plan plan;
    TransferEngine *e = comparable(family) ? engine(family) : nullptr;
    if (!e)
        return plan;
    const QList<int> changed = changedRecords(family);
    plan.toSend = int(changed.size());
    plan.skipped = e->rules().recordCount - plan.toSend;
    if (!changed.isEmpty())
        e->write(changed);
    return plan;
}

bool RegisterSync::verify(const QString &family)
{
    TransferEngine *e = comparable(family) ? engine(family) : nullptr;
    if (!e || e->rules().recordCount <= 0 || m_session.driver().isBusy())
        return false;
    m_verifying = family;
    // The read records only feed the mirror (through recordConfirmed).
    e->setReceiver([](int, const QByteArray &) {});
    e->read();
    if (!m_session.driver().isBusy() && m_verifying == family) {
        // Nothing went out: no end will come to take the receiver away.
        m_verifying.clear();
        e->setReceiver({});
        return false;
    }
    return true;
}

void RegisterSync::onTransferFinished(const QString &family, bool write, TransferOutcome outcome)
{
    if (write || family != m_verifying)
        return;
    m_verifying.clear();
    if (TransferEngine *e = engine(family))
        e->setReceiver({});
    emit verifyFinished(family, outcome,
                        outcome == TransferOutcome::Completed ? differences(family) : QList<RecordDifference>());
}

QList<RecordDifference> RegisterSync::compareRecord(const QString &family, int index, const QByteArray &held) const
{
    QList<RecordDifference> out;
    TransferEngine *e = engine(family);
    const std::optional<QByteArray> wire = e ? tableWire(*e, index) : std::nullopt;
    if (wire && *wire == held)
        return out;
    const QList<RecordField> registerFields = fields(family, held);
    if (!wire) {
        for (const RecordField &f : registerFields)
            out << RecordDifference{family, index, f.name, Unwritable, f.text, f.column};
        return out;
    }
    const QList<RecordField> tableFields = fields(family, *wire);
    for (int i = 0; i < registerFields.size(); ++i) {
        const QString table = i < tableFields.size() ? tableFields[i].text : QString();
        if (table != registerFields[i].text)
            out << RecordDifference{family, index, registerFields[i].name, table, registerFields[i].text,
                                    registerFields[i].column};
    }
    // Bytes outside the named fields (the closing byte of a name) differ alone.
    if (out.isEmpty())
        out << RecordDifference{family, index, QStringLiteral("Подаци"), QString::fromLatin1(wire->toHex(' ')),
                                QString::fromLatin1(held.toHex(' ')), -1};
    return out;
}

QList<RecordDifference> RegisterSync::differences(const QString &family) const
{
    QList<RecordDifference> out;
    if (!comparable(family))
        return out;
    const QHash<int, QByteArray> held = m_mirror.family(family);
    QList<int> indexes = held.keys();
    std::sort(indexes.begin(), indexes.end());
    for (int i : indexes)
        out << compareRecord(family, i, held.value(i));
    return out;
}

QHash<int, QString> RegisterSync::differingRecords(const QString &family) const
{
    QHash<int, QString> out;
    TransferEngine *e = comparable(family) ? engine(family) : nullptr;
    if (!e)
        return out;
    const QHash<int, QByteArray> held = m_mirror.family(family);
    for (auto h = held.constBegin(); h != held.constEnd(); ++h) {
        const std::optional<QByteArray> wire = tableWire(*e, h.key());
        if (wire && *wire == h.value())
            continue;
        QStringList lines;
        for (const RecordDifference &d : compareRecord(family, h.key(), h.value()))
            lines << QStringLiteral("%1: %2").arg(d.field, d.held);
        out.insert(h.key(), QStringLiteral("У каси:\n") + lines.join(QLatin1Char('\n')));
    }
    return out;
}

int RegisterSync::takeHeld(const QList<RecordDifference> &differences)
{
    int copied = 0;
    // One undo step in each table the values went into.
    std::vector<EditHistory *> histories;
    for (ParameterFamily *family : m_session.families())
        if (EditHistory *h = family->editHistory())
            histories.push_back(h);
    EditHistory::recordTogether(histories, StepNames::TakenFromRegister, [&] { copied = takeEach(differences); });
    return copied;
}

int RegisterSync::takeEach(const QList<RecordDifference> &differences)
{
    int copied = 0;
    for (const RecordDifference &d : differences) {
        if (d.column < 0)
            continue;
        ParameterFamily *family = m_session.family(d.family);
        if (family && family->setField(d.index, d.column, d.held))
            ++copied;
    }
    return copied;
}
