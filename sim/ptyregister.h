#pragma once

#include "sim/registerresponder.h"
#include "sim/registerstate.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>

class QSocketNotifier;

// A register on a pseudo-terminal. The program under test opens slavePath()
// with its own serial-port code; the register answers on the master side,
// on the Qt event loop of the thread that created it. The slave side may be
// opened and closed any number of times.
class PtyRegister : public QObject {
    Q_OBJECT
public:
    // Misbehaviour to inject. All off by default.
    struct Faults {
        bool silent = false;       // handle requests but never answer
        int dropEvery = 0;         // leave every N-th reply unsent (0 = none)
        int delayMs = 0;           // answer this long after the request
        bool split = false;        // write each reply in pieces, with pauses
        int splitPauseMs = 15;     // the pause between pieces
        bool noise = false;        // text outside frames ("OK\r") before each reply
        bool badChecksums = false; // replies carry wrong checksums
        int corruptEvery = 0;      // change one byte of every N-th reply, checksums
                                   // left as they were (line noise; 0 = none)
        int bytesPerSecond = 0;    // pace the output (0 = as fast as possible)
    };

    explicit PtyRegister(QObject *parent = nullptr);
    explicit PtyRegister(const RegisterState &initial, QObject *parent = nullptr);
    ~PtyRegister() override;

    // False when the pseudo-terminal could not be created or was closed.
    bool isOpen() const { return m_master >= 0; }
    QString errorString() const { return m_error; }
    QString slavePath() const { return m_slavePath; }

    RegisterState &state() { return m_state; }
    const RegisterState &state() const { return m_state; }
    RegisterResponder &responder() { return m_responder; }

    void setFaults(const Faults &faults) { m_faults = faults; }
    Faults faults() const { return m_faults; }

    // Simulates a pulled cable: closes the master (and the slave kept by the
    // register), so the program's port sees a hang-up. Cannot be undone.
    void closeMaster();
    // Drops bytes written to the line that nobody has read yet, and bytes of a
    // request still arriving (for tests that reopen the port).
    void flushLine();

    // Requests acted on (code + record index), in order of arrival.
    const QList<RegisterResponder::Handled> &log() const { return m_responder.log(); }
    void clearLog() { m_responder.clearLog(); }
    int requestCount() const { return m_requests; }   // frames answered or not
    int replyCount() const { return m_replies; }      // replies put on the line
    int droppedCount() const { return m_dropped; }    // replies held back by faults
    int rejectedCount() const { return m_responder.rejectedCount(); }
    // Replies (and noise) not yet written to the line.
    bool outputPending() const { return !m_queue.empty(); }

signals:
    void requestHandled(int code, int index);
    // One line per request, reply, skipped input or fault, when tracing.
    void trace(const QString &line);

private:
    struct Chunk {
        QByteArray bytes;
        qint64 notBeforeNs = 0;
    };

    void open();
    void onReadable();
    void onRecheck();
    void queueReply(QByteArray reply, qsizetype requestBytes);
    void pump();
    // Calls pump() after `ns` nanoseconds.
    void wakeAfter(qint64 ns);
    // Writes as much as the line takes; returns the count, -1 on EAGAIN.
    qint64 writeSome(const char *data, qint64 size);
    void emitTrace(const char *direction, const QByteArray &bytes, const QString &note);

    RegisterState m_state;
    RegisterResponder m_responder;
    Faults m_faults;
    QString m_slavePath;
    QString m_error;
    int m_master = -1;
    int m_slaveKeep = -1;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QTimer m_pumpTimer;
    QTimer m_recheckTimer;
    int m_wakeFd = -1;
    QSocketNotifier *m_wakeNotifier = nullptr;
    QElapsedTimer m_clock;
    std::deque<Chunk> m_queue;
    double m_lineFreeNs = 0;   // when the paced line may start its next byte
    double m_inLineFreeNs = 0; // when the paced line has brought in the last request
    int m_requests = 0;
    int m_replies = 0;
    int m_dropped = 0;
    int m_answered = 0; // replies made, counted for dropEvery
};
