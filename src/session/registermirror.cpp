#include "session/registermirror.h"

void RegisterMirror::follow() const
{
    const QString serial = m_serialSource ? m_serialSource() : QString();
    if (serial == m_serial)
        return;
    m_serial = serial;
    if (m_records.isEmpty())
        return;
    m_records.clear();
    emit const_cast<RegisterMirror *>(this)->changed(QString());
}

void RegisterMirror::confirm(const QString &family, int index, const QByteArray &wire)
{
    follow();
    QByteArray &slot = m_records[family][index];
    if (slot == wire)
        return;
    slot = wire;
    emit changed(family);
}

std::optional<QByteArray> RegisterMirror::known(const QString &family, int index) const
{
    follow();
    const auto records = m_records.constFind(family);
    if (records == m_records.constEnd())
        return std::nullopt;
    const auto record = records->constFind(index);
    if (record == records->constEnd())
        return std::nullopt;
    return *record;
}

QHash<int, QByteArray> RegisterMirror::family(const QString &family) const
{
    follow();
    return m_records.value(family);
}

RegisterMirror::State RegisterMirror::compare(const QString &family, int index, const QByteArray &tableWire) const
{
    const std::optional<QByteArray> held = known(family, index);
    if (!held)
        return State::Unknown;
    return *held == tableWire ? State::Equal : State::Differs;
}

int RegisterMirror::knownCount(const QString &family) const
{
    follow();
    return int(m_records.value(family).size());
}

void RegisterMirror::forget()
{
    follow();
    m_records.clear();
    emit changed(QString());
}
