#pragma once

#include <QString>

class RegisterSession;
class TraceRecorder;

// Records the session's register-line events into `recorder`: the port
// opening and closing. The frames themselves need the exchange driver's own
// link events, which this session does not give yet.
void connectTrace(RegisterSession &session, TraceRecorder &recorder);

// FILE with the serial number before the extension: trace.txt and 004512
// give trace-004512.txt; a name without extension gets "-004512" at its end.
QString traceFileFor(const QString &file, const QString &serial);
