#pragma once

#include "transfer/transferoutcome.h"

#include <QString>

// What the tool says when a register's run stops, in the program's language.
namespace StopText {

// The outcome of a run as the progress line shows it ("завршено" for Completed).
QString outcomeWord(TransferOutcome outcome);

// The message for a step that ended with `outcome` (NoReply, PortFailed,
// Refused, Failed): `where` names the register and the family or the refused
// record, `detail` is what the session last said. Each says what to do.
QString forStep(TransferOutcome outcome, const QString &where, const QString &detail);

// A port that did not open; `register` names the register.
QString portNotOpened(const QString &registerLabel, const QString &reason);

} // namespace StopText
