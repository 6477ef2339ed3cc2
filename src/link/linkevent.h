#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

// What the exchange driver reports about the line, in the order it happens.
// A trace recorder listens to these; each is raised before any reply handler
// that the same bytes lead to, so a trace never shows a request before the
// reply that caused it.
enum class LinkEventKind {
    RequestWritten,   // a new request went to the port (text: the port's error if it failed)
    RequestRepeated,  // the retry timer wrote the request again (repeat: 1..3)
    ReplyAccepted,    // a reply frame answered the request; its handler runs next
                      // (text: set when its checksums were wrong and not checked)
    StaleReply,       // a complete frame that does not answer the request (text: why)
    BadChecksum,      // a complete frame refused for its checksums; the request is asked again
    ChecksumsUnchecked, // from now on this link's replies are taken without the checksum check
    ReplyDropped,     // a frame or text dropped because the transfer was cancelled
    TextOutsideFrames,// a line of text outside frames (text: what the status line shows)
    GaveUp,           // no reply after the repeats (bytes: the request given up)
    Cancelled,        // the user cancelled (bytes: the request that was outstanding)
};

struct LinkEvent {
    LinkEventKind kind = LinkEventKind::RequestWritten;
    qint64 timeMs = 0; // from the driver's clock
    QByteArray bytes;
    int repeat = 0;
    QString text;
};

// What became of the bytes of one arrival, one entry per piece that was
// completed by it, in order; Incomplete last when bytes are still collecting
// (a frame not yet whole or a text line not yet ended). Deferred: the bytes
// wait because a reply handler is running; they are taken when it returns.
enum class ArrivalOutcome { Incomplete, FrameAccepted, TextOutsideFrames, Dropped, StaleReply, BadChecksum, Deferred };
using ArrivalResult = QList<ArrivalOutcome>;

Q_DECLARE_METATYPE(LinkEvent)
