#include "link/checksumtrust.h"

#include "protocol/frame.h"

ChecksumTrust::Verdict ChecksumTrust::judge(const QByteArray &frame)
{
    if (Frame::checksumsRight(frame)) {
        m_rightSeen = true;
        return Verdict::Right;
    }
    if (!m_checking) {
        ++m_takenUnchecked;
        return Verdict::TakenUnchecked;
    }
    if (m_rightSeen || ++m_wrongInARow < Evidence)
        return Verdict::Refused;
    m_checking = false;
    m_takenUnchecked = 1;
    return Verdict::SwitchedOff;
}

void ChecksumTrust::reset() { *this = ChecksumTrust(); }
