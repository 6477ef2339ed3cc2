#include "link/linktrace.h"

#include "link/exchangedriver.h"
#include "link/linkevent.h"
#include "link/serialline.h"
#include "link/tracerecorder.h"

#include <QObject>

namespace LinkTrace {

TraceKind kindOf(const LinkEvent &event)
{
    switch (event.kind) {
    case LinkEventKind::RequestWritten:
        return TraceKind::RequestWritten;
    case LinkEventKind::RequestRepeated:
        return TraceKind::RequestRepeated;
    case LinkEventKind::ReplyAccepted:
        return TraceKind::ReplyAccepted;
    case LinkEventKind::GaveUp:
        return TraceKind::GaveUp;
    case LinkEventKind::Cancelled:
        return TraceKind::Cancelled;
    case LinkEventKind::StaleReply:
    case LinkEventKind::BadChecksum:
    case LinkEventKind::ChecksumsUnchecked:
    case LinkEventKind::ReplyDropped:
    case LinkEventKind::TextOutsideFrames:
        break;
    }
    return TraceKind::Stray;
}

QString noteOf(const LinkEvent &event)
{
    switch (event.kind) {
    case LinkEventKind::RequestWritten:
        return event.text.isEmpty() ? QString() : QStringLiteral("упис није успео: ") + event.text;
    case LinkEventKind::StaleReply:
        return event.text.isEmpty() ? QStringLiteral("застарели одговор")
                                    : QStringLiteral("застарели одговор: ") + event.text;
    case LinkEventKind::ReplyAccepted:
    case LinkEventKind::ChecksumsUnchecked:
        return event.text;
    case LinkEventKind::BadChecksum:
        return QStringLiteral("неисправан контролни збир: одговор није примљен, захтев се понавља");
    case LinkEventKind::ReplyDropped:
        return QStringLiteral("одбачено после прекида");
    case LinkEventKind::TextOutsideFrames:
        return QStringLiteral("текст ван оквира");
    default:
        return QString();
    }
}

void connect(TraceRecorder &recorder, ExchangeDriver &driver, SerialLine &line)
{
    QObject::connect(&driver, &ExchangeDriver::linkEvent, &recorder, [&recorder](const LinkEvent &event) {
        recorder.recordAt(event.timeMs, kindOf(event), event.bytes, event.repeat, noteOf(event));
    });
    QObject::connect(&line, &SerialLine::openChanged, &recorder, [&recorder, &line](bool open) {
        recorder.record(open ? TraceKind::PortOpened : TraceKind::PortClosed, QByteArray(), 0,
                        SerialLine::deviceFor(line.portName()));
    });
    QObject::connect(&line, &SerialLine::lineNote, &recorder, [&recorder](const QString &note) {
        recorder.record(TraceKind::PortOpened, QByteArray(), 0, note);
    });
    QObject::connect(&line, &SerialLine::disconnected, &recorder, [&recorder](const QString &reason) {
        recorder.record(TraceKind::PortLost, QByteArray(), 0, reason.section(QLatin1Char('\n'), 0, 0));
    });
}

} // namespace LinkTrace
