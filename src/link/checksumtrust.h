#pragma once

#include <QByteArray>

// Whether the checksums of the replies on one link are checked. A reply
// whose CRC1 or CRC2 is wrong is refused: line noise changed a byte, and its
// data must not reach a table. A register that computes them its own way
// would then never be heard, so when the very first replies of a link all
// fail the check (Evidence of them in a row, with their frame, code and
// length right, as the framer ensures), replies are taken unchecked from
// then on, for that link only. One good reply settles it for the link.
class ChecksumTrust {
public:
    enum class Verdict {
        Right,          // the checksums are right
        Refused,        // wrong: not taken, the request is asked again
        SwitchedOff,    // wrong, and the check stops for this link with this reply
        TakenUnchecked, // wrong, taken because the check is off
    };

    static constexpr int Evidence = 3;

    Verdict judge(const QByteArray &frame);
    // A new link: the next replies are learned afresh.
    void reset();

    bool checking() const { return m_checking; }
    // Replies taken with wrong checksums since the check went off.
    int takenUnchecked() const { return m_takenUnchecked; }

private:
    bool m_checking = true;
    bool m_rightSeen = false;
    int m_wrongInARow = 0;
    int m_takenUnchecked = 0;
};
