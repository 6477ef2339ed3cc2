#include "params/headerlines/headerlines.h"

#include "link/commands.h"
#include "link/fields.h"
#include "link/frame.h"

namespace {
const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис рекламних порука");
constexpr int FullProgress = 16;
} // namespace

HeaderLines::HeaderLines(FamilyContext &ctx, QObject *parent) : ParameterFamily(parent), m_ctx(ctx)
{
    m_ctx.driver.setReplyHandler(Command::ReadHeaderLine,
                                 [this](const QByteArray &frame) { guarded([&] { onReadReply(frame); }); });
    m_ctx.driver.setReplyHandler(Command::WriteHeaderLine,
                                 [this](const QByteArray &frame) { guarded([&] { onWriteReply(frame); }); });
}

QString HeaderLines::line(int index) const
{
    return index >= 0 && index < LineCount ? m_lines[index] : QString();
}

void HeaderLines::setLine(int index, const QString &text)
{
    if (index >= 0 && index < LineCount)
        m_lines[index] = text;
}

QByteArray HeaderLines::lineField(const QString &text)
{
    // Converted first and then cut or padded, so that a character that
    // becomes a single '?' cannot shift the field.
    QByteArray field = Fields::encodeText(text).left(FieldWidth);
    const QByteArray blank = Fields::encodeText(QStringLiteral(" "));
    while (field.size() < FieldWidth)
        field.append(blank);
    return field;
}

void HeaderLines::sendRead(int index)
{
    m_ctx.driver.send(Command::ReadHeaderLine, QByteArray(1, char(index)));
}

void HeaderLines::sendWrite(int index)
{
    QByteArray data(1, char(index));
    data.append(lineField(m_lines[index]));
    m_ctx.driver.send(Command::WriteHeaderLine, data);
}

void HeaderLines::btnReadClicheClick()
{
    guarded([&] {
        emit readStarted();
        m_ctx.driver.setTransferIndex(0);
        emit status(Reading);
        sendRead(0);
    });
}

void HeaderLines::btnWriteClicheClick()
{
    guarded([&] {
        emit status(Writing);
        emit progress(FullProgress);
        m_ctx.driver.setTransferIndex(0);
        sendWrite(0);
        emit progress(0);
    });
}

void HeaderLines::onReadReply(const QByteArray &frame)
{
    emit progress(FullProgress);
    // Byte 9 is skipped; the text is the rest of the data part, taken whole.
    const int n = Fields::byteAt(frame, Frame::LengthOffset);
    const QByteArray text = frame.mid(Frame::DataOffset + 1, qMax(0, n - 1));
    const int index = m_ctx.driver.transferIndex();
    if (index >= 0 && index < LineCount) {
        m_lines[index] = Fields::decodeText(text);
        emit lineRead(index, m_lines[index]);
    }
    const int next = index + 1;
    m_ctx.driver.setTransferIndex(next);
    if (next >= LineCount || next < 0) {
        emit progress(0);
        emit status(ReadDone);
        return;
    }
    sendRead(next);
}

void HeaderLines::onWriteReply(const QByteArray &)
{
    const int next = m_ctx.driver.transferIndex() + 1;
    m_ctx.driver.setTransferIndex(next);
    if (next >= LineCount || next < 0) {
        emit progress(FullProgress);
        emit progress(0);
        emit status(WriteDone);
        return;
    }
    sendWrite(next);
}
