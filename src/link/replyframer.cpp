#include "link/replyframer.h"

#include "charset/cp1251.h"
#include "protocol/commands.h"

namespace {
bool isLineEnd(std::uint8_t b) { return b == '\r' || b == '\n'; }
} // namespace

ReplyFramer::Piece ReplyFramer::take(std::uint8_t byte)
{
    if (m_inLine) {
        if (byte == Frame::StartByte) {
            // A frame start ends the line and begins the frame.
            m_completedLine.swap(m_line);
            m_line.clear();
            m_inLine = false;
            m_buffer[0] = byte;
            m_count = 1;
            return Piece::TextLine;
        }
        m_line.append(static_cast<char>(byte));
        if (!isLineEnd(byte))
            return Piece::None;
        m_completedLine.swap(m_line);
        m_line.clear();
        m_inLine = false;
        return Piece::TextLine;
    }
    if (m_count == 0) {
        if (byte == Frame::StartByte) {
            m_buffer[0] = byte;
            m_count = 1;
        } else if (!isLineEnd(byte)) {
            // A line end on its own closes nothing new ("OK\r\n", or its
            // "\n" arriving apart); anything else starts a line.
            m_inLine = true;
            m_lineStarted = true;
            m_line = QByteArray(1, static_cast<char>(byte));
        }
        return Piece::None;
    }
    if (m_count == Frame::BufferSize) {
        // No frame of this protocol is this long: what was collected can
        // never complete. The byte is taken afresh.
        clearFrame();
        return take(byte);
    }
    m_buffer[m_count++] = byte;
    if (!frameComplete())
        return Piece::None;
    m_frame = QByteArray(reinterpret_cast<const char *>(m_buffer.data()), m_count);
    clearFrame();
    return Piece::Frame;
}

bool ReplyFramer::frameComplete() const
{
    if (m_count < Frame::HeaderSize)
        return false;
    return m_count == m_buffer[Frame::LengthOffset] + Frame::Overhead && m_buffer[m_count - 1] == Frame::Trailer
           && Commands::find(m_buffer[Frame::CommandOffset]);
}

bool ReplyFramer::takeLineStarted()
{
    const bool started = m_lineStarted;
    m_lineStarted = false;
    return started;
}

void ReplyFramer::clearFrame()
{
    m_count = 0;
    m_buffer.fill(0);
}

void ReplyFramer::clear()
{
    clearFrame();
    m_inLine = false;
    m_lineStarted = false;
    m_line.clear();
}

QString ReplyFramer::printable(const QByteArray &bytes)
{
    QString text;
    for (char c : bytes)
        if (static_cast<std::uint8_t>(c) >= 32)
            text.append(Cp1251::toUnicode(c));
    return text;
}
