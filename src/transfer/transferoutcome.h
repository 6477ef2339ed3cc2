#pragma once

#include <QMetaType>
#include <QString>

// How a register transfer ended. Texts for people are made where they are
// shown; key() is the name scripts read (the command-line tool's summary).
enum class TransferOutcome {
    Completed,  // every chosen record went through
    Refused,    // a record failed its checks and was not sent
    Failed,     // a value did not convert, or a reply was cut short
    Cancelled,  // the user stopped it
    NoReply,    // the register did not answer the repeats
    PortLost,   // the register port went away during the transfer
    PortFailed, // the register port could not be opened
};

namespace TransferOutcomes {
// "Completed", "Refused", "Failed", "Cancelled", "NoReply", "PortLost", "PortFailed".
QString key(TransferOutcome outcome);
} // namespace TransferOutcomes

Q_DECLARE_METATYPE(TransferOutcome)
