#pragma once

#include <QString>

// The status line after a transfer that did not complete: what happened and
// at which record, so that a stopped transfer never looks like one at work.
namespace TransferEndText {

// `outcome` is a RegisterSession outcome name ("Refused", "Cancelled",
// "NoReply", "PortLost", "Failed"); `record` counts from 1 (0: a transfer
// of one request, no record named). Empty for a completed transfer or an
// unknown outcome.
QString forOutcome(const QString &outcome, int record);

} // namespace TransferEndText
