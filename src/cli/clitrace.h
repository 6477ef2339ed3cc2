#pragma once

#include <QString>

class RegisterSession;
class TraceRecorder;

// Records the session's register line into `recorder`: every link event of
// the exchange driver (requests, repeats, replies, stray bytes, give-ups,
// cancels) at the driver's time, and the port opening, closing and loss.
void connectTrace(RegisterSession &session, TraceRecorder &recorder);

// FILE with the serial number before the extension: trace.txt and 004512
// give trace-004512.txt; a name without extension gets "-004512" at its end.
QString traceFileFor(const QString &file, const QString &serial);
