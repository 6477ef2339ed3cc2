#include "transfer/transferoutcome.h"

namespace TransferOutcomes {

QString key(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Completed: return QStringLiteral("Completed");
    case TransferOutcome::Refused: return QStringLiteral("Refused");
    case TransferOutcome::Failed: return QStringLiteral("Failed");
    case TransferOutcome::Cancelled: return QStringLiteral("Cancelled");
    case TransferOutcome::NoReply: return QStringLiteral("NoReply");
    case TransferOutcome::PortLost: return QStringLiteral("PortLost");
    case TransferOutcome::PortFailed: return QStringLiteral("PortFailed");
    }
    return QString();
}

} // namespace TransferOutcomes
