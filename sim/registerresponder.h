#pragma once

#include "protocol/fields.h"
#include "sim/registerstate.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// The register's side of the link, without any I/O: bytes from the line go in
// through process() or feed(), reply frames come out. Request frames are found
// by their start byte 0xAA, length byte and trailer 0x0D; bytes outside frames
// are skipped. A frame with a wrong checksum, a wrong data length or an
// unknown command code gets no reply, as on the register. Writes change the
// RegisterState given to the constructor; reads answer from it.
class RegisterResponder {
public:
    // One request the register acted on. Index is the record index of the
    // request, or -1 for the commands without one (103, 104, 121).
    struct Handled {
        quint8 code = 0;
        int index = -1;
        bool operator==(const Handled &o) const { return code == o.code && index == o.index; }
    };

    // What became of one piece of the input: a request (with its reply, which
    // is empty when the register stays silent) or skipped bytes. `problem`
    // says why a frame got no reply, or which bytes were skipped.
    struct Exchange {
        QByteArray request;
        QByteArray reply;
        QString problem;
        bool skipped = false; // bytes outside frames, not a request
    };

    explicit RegisterResponder(RegisterState &state);

    // Takes bytes as they come from the line (any split) and returns what was
    // done with every complete frame or run of skipped bytes among them.
    QList<Exchange> process(const QByteArray &bytes);
    // As process(), returning only the reply frames.
    QList<QByteArray> feed(const QByteArray &bytes);

    // The reply to one complete, checked request frame (empty for an unknown
    // code or a wrong data length, with *problem set). Does not log.
    QByteArray answer(const QByteArray &request, QString *problem = nullptr);

    const QList<Handled> &log() const { return m_log; }
    void clearLog() { m_log.clear(); }
    int rejectedCount() const { return m_rejected; }
    // Bytes held back because they may be the start of a frame.
    int pendingBytes() const { return static_cast<int>(m_buffer.size()); }
    void clearInput() { m_buffer.clear(); }

    RegisterState &state() { return m_state; }

    // Answers only requests carrying this serial number (none: every request).
    void setOnlySerial(std::optional<Fields::SerialBytes> serial) { m_onlySerial = serial; }

    // The command name used in traces ("read tax rate"), or "unknown".
    static QString commandName(quint8 code);

private:
    enum class Check { Incomplete, Valid, BadTrailer, BadChecksum };
    Check check(int at, int *length) const;
    bool validFrameAfter(int from, int to = -1) const;

    RegisterState &m_state;
    QByteArray m_buffer;
    QList<Handled> m_log;
    int m_rejected = 0;
    std::optional<Fields::SerialBytes> m_onlySerial;
};
