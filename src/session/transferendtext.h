#pragma once

#include "transfer/transferoutcome.h"

#include <QString>
#include <optional>

// The status line after a transfer that did not complete: what happened and
// at which record, so that a stopped transfer never looks like one at work.
namespace TransferEndText {

// `record` is the record's number as the family's table shows it (none: a
// transfer of one request, or stopped before its first record). Empty for a
// completed transfer, and for a port that never opened (its message says it).
QString forOutcome(TransferOutcome outcome, std::optional<int> record);

} // namespace TransferEndText
