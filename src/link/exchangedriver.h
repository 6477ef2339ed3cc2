#pragma once

#include "protocol/frame.h"
#include "link/checksumtrust.h"
#include "link/linkclock.h"
#include "link/linkevent.h"
#include "link/linkport.h"
#include "link/replyframer.h"
#include "link/requeststate.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

// Carries every request to the register and every reply back: one request at
// a time, repeated every retry period while unanswered, given up after three
// repeats. Holds no port and no timer of its own: bytes come in through
// received(), timer expiries through retryTick(), so it can be driven by hand.
//
// Feedback goes out through signals of what happened (noReply(),
// writeFailed(), ...): no status text, progress value or message of its own,
// and never a window (DriverNotices turns the events into what the user
// sees; the only words here are the trace's notes on link events). Every
// request written, repeated, reply accepted or ignored, text outside frames,
// give-up and cancel is also reported as a LinkEvent (linkEvent()), stamped
// with the time of the clock the driver is given, before any reply handler
// runs for it.
//
// A reply whose checksums are wrong is not taken: the request is asked again
// at once, as one of its repeats (ChecksumTrust says when a link's register
// is taken to compute them its own way).
//
// A complete frame answers the request in the send buffer only when it
// carries the request's command code, the record index the request asked for
// (RecordIndex), and, once the register is seen to echo the request's
// sequence byte, that sequence byte; a request is answered once. Other frames
// are stale: reported, not handled, and the request keeps waiting. After a
// cancel nothing is handled until the next request is sent.
//
// The request's life is one RequestState; its moves are in requeststate.cpp.
class ExchangeDriver : public QObject {
    Q_OBJECT
public:
    using ReplyHandler = std::function<void(const QByteArray &frame)>;

    static constexpr int MaxRepeats = 3;

    ExchangeDriver(LinkPort &port, RetryTimer &timer, QObject *parent = nullptr);

    // Where the serial number of every request comes from (the text of the
    // serial-number field).
    void setSerialNumberSource(std::function<QString()> source);

    // One handler per command code; the family that owns the code registers it.
    void setReplyHandler(std::uint8_t command, ReplyHandler handler);

    // Start-up state: sequence counter 1, nothing awaited, buffers cleared.
    void reset();
    // The register port was opened: what was learned of the last link's
    // checksums does not hold for this one.
    void linkOpened();

    // Starts an exchange: builds the request in the cleared send buffer, starts
    // the retry timer, marks the reply awaited, reports the request started and
    // writes the frame. A write failure is reported (writeFailed()); the retry
    // timer then treats the request as unanswered.
    void send(std::uint8_t command, const QByteArray &data = QByteArray());

    // Where event times come from; the driver keeps its own system clock
    // until one is given. The clock must outlive the driver.
    void setClock(const LinkClock *clock);

    // Bytes that arrived on the register port. Returns what became of them
    // (and of bytes that waited for a handler and were taken meanwhile).
    ArrivalResult received(const QByteArray &bytes);
    // The retry timer expired.
    void retryTick();
    // The cancel button.
    void cancel();
    // The end-of-dialogue button: command 121, no data.
    void endDialogue();

    // For the transfers that stay cancellable over many requests (articles):
    // makes the transfer cancellable and clears the cancel flag.
    void startCancellableTransfer();
    // Ends the transfer's cancellability.
    void endCancellableTransfer();

    int transferIndex() const { return m_transferIndex; }
    void setTransferIndex(int index) { m_transferIndex = index; }

    // True from the moment a request is written until it is answered without
    // a follow-up request, given up or cancelled.
    bool isBusy() const { return RequestState::busy(m_state); }

    bool replyAwaited() const { return RequestState::awaited(m_state); }
    // The first thing to arrive is taken as the cancelled exchange's.
    bool cancelFlag() const { return RequestState::cancelMarked(m_state); }
    RequestState::State state() const { return m_state; }
    int retryCount() const { return m_retryCount; }
    int sequenceCounter() const { return m_sequenceCounter; }
    int receiveCount() const { return m_framer.count(); }
    // False once this link's register is taken to compute reply checksums
    // its own way.
    bool checksumsChecked() const { return m_checksums.checking(); }
    // True once the register has answered with the request's sequence byte
    // often enough in a row to be taken as echoing it.
    bool sequenceEchoed() const { return m_echoStreak >= EchoEvidence; }
    const Frame::Buffer &sendBuffer() const { return m_send; }
    const Frame::Buffer &receiveBuffer() const { return m_framer.buffer(); }
    // The length of the request now in the send buffer.
    int requestLength() const { return Frame::repeatLength(m_send); }

signals:
    // A text line outside frames (or the part of one received so far), once
    // for each change of what it says.
    void textOutsideFrames(const QString &text);
    // The first thing to arrive after a cancel was dropped (the status line
    // shown for the cancelled exchange is done with).
    void cancelledReplyDropped();
    // From now on this link's replies are taken without the checksum check.
    void checksumsUnchecked();
    // The register answered the end of the dialogue (command 121).
    void dialogueEnded();
    // The retry timer gave up on a request the port took: the no-reply
    // message is wanted (before gaveUp()).
    void noReply();
    // The port refused a new request, with the port layer's text.
    void writeFailed(const QString &portError);
    // An error no handler caught: shown in the general error report.
    void programError(const QString &text);
    // A new request goes out (not its repeats), whether or not the port takes it.
    void requestStarted();
    // A reply answered the request in the send buffer.
    void replyAccepted();
    // The request was given up or cancelled (before busy goes off and before
    // noReply()).
    void stopped();
    // Whether the running transfer can still be cancelled.
    void cancellableChanged(bool cancellable);
    void busyChanged(bool busy);
    // The retry timer gave up on a request (after the no-reply message; the
    // give-up's link event comes before it).
    void gaveUp();
    // Everything that happens on the line, for a trace.
    void linkEvent(const LinkEvent &event);

private:
    static constexpr int EchoEvidence = 2;

    ArrivalResult drain();
    void takeChunk(const QByteArray &chunk, ArrivalResult &result);
    void takeTextLine(ArrivalResult &result);
    void takeFrame(const QByteArray &frame, ArrivalResult &result);
    // Why a complete frame does not answer the request, or empty if it does.
    QString staleReason(const QByteArray &frame) const;
    void learnEcho(const QByteArray &frame);
    void showLine(const QString &text);
    void report(LinkEventKind kind, const QByteArray &bytes, const QString &text = QString(), int repeat = 0);
    QByteArray request() const;
    bool writeRequest(int length, QString *error);
    void giveUp(bool showNoReply);
    void move(RequestState::Move move);
    // busyChanged() when the state's busy differs from what was last told.
    void tellBusy();
    // A repeat of the request in the send buffer, counted as one.
    void repeatRequest();
    // A repeat now, for a reply that could not be taken.
    void askAgain();
    void runHandler(std::uint8_t command, const QByteArray &frame);

    LinkPort &m_port;
    RetryTimer &m_timer;
    std::function<QString()> m_serialSource;
    std::array<ReplyHandler, 256> m_handlers;

    SystemLinkClock m_systemClock;
    const LinkClock *m_clock = &m_systemClock;

    Frame::Buffer m_send{};
    ReplyFramer m_framer;
    // The text line now on the status line, and whether it was shown at all.
    QString m_shownLine;
    bool m_lineShown = false;
    RequestState::State m_state = RequestState::State::Idle;
    // Accepted replies in a row that carried the request's sequence byte.
    int m_echoStreak = 0;
    ChecksumTrust m_checksums;
    int m_sequenceCounter = 1;
    int m_retryCount = 0;
    int m_transferIndex = 0;
    bool m_inHandler = false;
    // What busyChanged() last said.
    bool m_toldBusy = false;

    // Bytes that arrive while a reply handler runs (a modal message is open)
    // wait here until the handler returns; the handler is never re-entered.
    bool m_inReception = false;
    QByteArray m_pending;
};
