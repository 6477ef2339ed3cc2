#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What happened on the register line, as the link trace keeps it.
enum class TraceKind {
    RequestWritten,  // "→"
    RequestRepeated, // "↻", with its repeat number
    ReplyAccepted,   // "←"
    Stray,           // "?": bytes outside a frame, a stale reply or bytes dropped
    GaveUp,          // the request was given up after its repeats
    Cancelled,       // the user cancelled the transfer
    PortOpened,
    PortClosed,
    PortLost,
};

struct TraceEvent {
    qint64 timeMs = 0;  // local wall-clock time, milliseconds since the epoch
    qint64 sinceMs = 0; // milliseconds since the previous event (0 for the first)
    TraceKind kind = TraceKind::Stray;
    int repeat = 0;     // the repeat number of a repeated request
    QByteArray bytes;   // the frame or the bytes, as they went over the wire
    QString note;       // what the bytes were, when they are not a plain frame
};
