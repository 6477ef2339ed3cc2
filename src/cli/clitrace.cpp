#include "cli/clitrace.h"

#include "link/tracerecorder.h"
#include "session/registersession.h"

#include <QFileInfo>

void connectTrace(RegisterSession &session, TraceRecorder &recorder)
{
    QObject::connect(&session, &RegisterSession::portOpenChanged, &recorder, [&recorder](bool open) {
        recorder.record(open ? TraceKind::PortOpened : TraceKind::PortClosed);
    });
    QObject::connect(&session.registerLine(), &SerialLine::disconnected, &recorder,
                     [&recorder] { recorder.record(TraceKind::PortLost); });
}

QString traceFileFor(const QString &file, const QString &serial)
{
    const QFileInfo info(file);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? file : file.left(file.size() - suffix.size() - 1);
    return suffix.isEmpty() ? base + QLatin1Char('-') + serial
                            : base + QLatin1Char('-') + serial + QLatin1Char('.') + suffix;
}
