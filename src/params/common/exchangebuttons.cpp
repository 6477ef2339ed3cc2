#include "params/common/exchangebuttons.h"

#include <QAbstractButton>

void ExchangeButtons::add(QAbstractButton *button, bool allowedWhenPortOpens)
{
    m_entries.append({button, allowedWhenPortOpens, false});
    apply();
}

void ExchangeButtons::allow(QAbstractButton *button)
{
    for (Entry &e : m_entries)
        if (e.button == button)
            e.allowed = true;
    apply();
}

void ExchangeButtons::setPortOpen(bool open)
{
    m_portOpen = open;
    for (Entry &e : m_entries)
        e.allowed = open && e.allowedWhenPortOpens;
    apply();
}

void ExchangeButtons::setBusy(bool busy)
{
    m_busy = busy;
    apply();
}

void ExchangeButtons::apply()
{
    for (const Entry &e : m_entries)
        if (e.button)
            e.button->setEnabled(m_portOpen && e.allowed && !m_busy);
}
