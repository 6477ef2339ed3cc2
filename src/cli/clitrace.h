#pragma once

#include <QString>

// FILE with the serial number before the extension: trace.txt and 004512
// give trace-004512.txt; a name without extension gets "-004512" at its end.
QString traceFileFor(const QString &file, const QString &serial);
