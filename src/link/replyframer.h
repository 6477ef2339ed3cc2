#pragma once

#include "protocol/frame.h"

#include <QByteArray>
#include <cstdint>

// Cuts the bytes from the register port into reply frames and lines of text
// outside frames, one byte at a time, so the pieces are the same however the
// port splits the bytes into arrivals.
//
// A frame starts with 0xAA and is whole when it holds N + 12 bytes, ends in
// 0x0D and carries a code of the protocol; until then its bytes collect (a
// frame that never matches is dropped once the 260-byte buffer is full).
// Anything else is text: a line runs up to a carriage return or line feed, or
// up to the next frame start.
class ReplyFramer {
public:
    enum class Piece { None, Frame, TextLine };

    // Takes one byte and says what it completed: a frame (see frame()) or a
    // text line (see line()). One byte completes at most one piece.
    Piece take(std::uint8_t byte);

    // The last frame completed.
    const QByteArray &frame() const { return m_frame; }
    // The bytes of the last text line completed, with its line end if any.
    const QByteArray &line() const { return m_completedLine; }
    // The bytes of a text line still running (no line end yet).
    const QByteArray &runningLine() const { return m_line; }
    bool inLine() const { return m_inLine; }
    // True once after a new text line started; reading clears it.
    bool takeLineStarted();

    // Forgets a partly collected frame (a new request makes it useless).
    void clearFrame();
    // Forgets everything.
    void clear();

    int count() const { return m_count; }
    const Frame::Buffer &buffer() const { return m_buffer; }

    // The printable characters of text bytes (32 and above, code page 1251).
    static QString printable(const QByteArray &bytes);

private:
    bool frameComplete() const;

    Frame::Buffer m_buffer{};
    int m_count = 0;
    QByteArray m_frame;
    bool m_inLine = false;
    bool m_lineStarted = false;
    QByteArray m_line;
    QByteArray m_completedLine;
};
