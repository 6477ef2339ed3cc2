#include "session/tablestate.h"

TableState::TableState(Digest digest) : m_digest(std::move(digest)) { startUp(); }

void TableState::startUp()
{
    m_defaults = m_digest();
    m_settled = m_defaults;
    m_touched = false;
}
