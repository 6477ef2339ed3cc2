#pragma once

#include "link/traceformat.h"

#include <QString>

class TraceRecorder;

// Saving a trace for support. The file goes where people send it on, so its
// passwords are hidden whatever the window shows, and it is readable and
// writable by its owner only, also when it replaces an older file.
namespace TraceFile {

// False, with the reason in `error`, when the file could not be written; an
// older file of that name is then left as it was.
bool save(const QString &path, const TraceFormat::Header &header, const TraceRecorder &recorder, QString *error);

} // namespace TraceFile
