#pragma once

#include <QString>
#include <optional>

// The status line after a transfer that did not complete: what happened and
// at which record, so that a stopped transfer never looks like one at work.
namespace TransferEndText {

// `outcome` is a RegisterSession outcome name ("Refused", "Cancelled",
// "NoReply", "PortLost", "Failed"); `record` is the record's number as the
// family's table shows it (none: a transfer of one request, or stopped
// before its first record). Empty for a completed transfer or an unknown
// outcome.
QString forOutcome(const QString &outcome, std::optional<int> record);

} // namespace TransferEndText
