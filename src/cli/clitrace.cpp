#include "cli/clitrace.h"

#include "link/linkevent.h"
#include "link/tracerecorder.h"
#include "session/registersession.h"

#include <QFileInfo>

namespace {

TraceKind traceKindOf(LinkEventKind kind)
{
    switch (kind) {
    case LinkEventKind::RequestWritten: return TraceKind::RequestWritten;
    case LinkEventKind::RequestRepeated: return TraceKind::RequestRepeated;
    case LinkEventKind::ReplyAccepted: return TraceKind::ReplyAccepted;
    case LinkEventKind::GaveUp: return TraceKind::GaveUp;
    case LinkEventKind::Cancelled: return TraceKind::Cancelled;
    case LinkEventKind::StaleReply:
    case LinkEventKind::ReplyDropped:
    case LinkEventKind::TextOutsideFrames: return TraceKind::Stray;
    }
    return TraceKind::Stray;
}

} // namespace

void connectTrace(RegisterSession &session, TraceRecorder &recorder)
{
    QObject::connect(&session, &RegisterSession::portOpenChanged, &recorder, [&recorder](bool open) {
        recorder.record(open ? TraceKind::PortOpened : TraceKind::PortClosed);
    });
    QObject::connect(&session.driver(), &ExchangeDriver::linkEvent, &recorder, [&recorder](const LinkEvent &event) {
        recorder.recordAt(event.timeMs, traceKindOf(event.kind), event.bytes, event.repeat, event.text);
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
