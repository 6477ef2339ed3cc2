#include "link/tracefile.h"

#include "core/filestore.h"

namespace TraceFile {

bool save(const QString &path, const TraceFormat::Header &header, const TraceRecorder &recorder, QString *error)
{
    return FileStore::writeOwnerOnly(path, TraceFormat::fileText(header, recorder).toUtf8(), error);
}

} // namespace TraceFile
