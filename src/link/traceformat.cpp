#include "link/traceformat.h"

#include "protocol/commands.h"
#include "protocol/frame.h"
#include "link/framesecrets.h"
#include "link/tracerecorder.h"

#include <QDateTime>

namespace TraceFormat {

namespace {

bool looksLikeFrame(const QByteArray &bytes)
{
    return bytes.size() >= Frame::Overhead && static_cast<std::uint8_t>(bytes[0]) == Frame::StartByte;
}

QString kindText(TraceKind kind)
{
    switch (kind) {
    case TraceKind::RequestWritten:
    case TraceKind::RequestRepeated:
    case TraceKind::ReplyAccepted:
    case TraceKind::Stray:
        return QString();
    case TraceKind::GaveUp:
        return QStringLiteral("Одустајање: нема одзива");
    case TraceKind::Cancelled:
        return QStringLiteral("Пренос прекинут");
    case TraceKind::PortOpened:
        return QStringLiteral("Порт отворен");
    case TraceKind::PortClosed:
        return QStringLiteral("Порт затворен");
    case TraceKind::PortLost:
        return QStringLiteral("Веза са портом изгубљена");
    }
    return QString();
}

QString direction(const TraceEvent &event)
{
    switch (event.kind) {
    case TraceKind::RequestWritten:
        return QStringLiteral("→");
    case TraceKind::RequestRepeated:
        return QStringLiteral("↻%1").arg(event.repeat);
    case TraceKind::ReplyAccepted:
        return QStringLiteral("←");
    case TraceKind::Stray:
        return QStringLiteral("?");
    default:
        return QStringLiteral("•");
    }
}

QString commandText(const TraceEvent &event)
{
    QString text;
    if (looksLikeFrame(event.bytes)) {
        const auto code = static_cast<std::uint8_t>(event.bytes[Frame::CommandOffset]);
        const QString title = commandTitle(code);
        text = title.isEmpty() ? QString::number(code) : QStringLiteral("%1 %2").arg(code).arg(title);
    }
    const QString what = event.note.isEmpty() ? kindText(event.kind) : event.note;
    if (what.isEmpty())
        return text;
    return text.isEmpty() ? what : text + QStringLiteral(" (") + what + QLatin1Char(')');
}

QString hexByte(std::uint8_t value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString yesNo(bool right)
{
    return right ? QStringLiteral("исправан") : QStringLiteral("погрешан");
}

// Bytes from..from+count-1 of a frame, each hidden as `hidden` says unless
// secrets are shown.
QString hexOf(const QByteArray &bytes, const std::vector<bool> &hidden, int from, int count, Secrets secrets)
{
    QStringList out;
    const int end = qMin<int>(from + count, static_cast<int>(bytes.size()));
    for (int i = qMax(0, from); i < end; ++i)
        out << (secrets == Secrets::Hidden && hidden[static_cast<std::size_t>(i)]
                    ? HiddenByte
                    : hexByte(static_cast<std::uint8_t>(bytes[i])));
    return out.join(QLatin1Char(' '));
}

// A checksum line: the byte as it came and whether it is right. The value it
// should have had is left out where the byte is hidden, as it would give the
// hidden checksum away.
QString checksumLine(const QString &name, const QString &shown, bool right, bool hidden, std::uint8_t expected)
{
    QString text = QStringLiteral("%1: %2 %3").arg(name, shown, yesNo(right));
    if (!right && !hidden)
        text += QStringLiteral(" (треба %1)").arg(hexByte(expected));
    return text;
}

} // namespace

QStringList columnTitles()
{
    return {QStringLiteral("Време"), QStringLiteral("Δ ms"),    QStringLiteral("Смер"),
            QStringLiteral("Команда"), QStringLiteral("N"), QStringLiteral("Бајтови")};
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString frameHex(const QByteArray &bytes, Secrets secrets)
{
    if (secrets == Secrets::Shown)
        return hex(bytes);
    return hexOf(bytes, FrameSecrets::hidden(bytes), 0, static_cast<int>(bytes.size()), secrets);
}

QString commandTitle(int code)
{
    const CommandInfo *info = code >= 0 && code <= 0xFF ? Commands::find(static_cast<std::uint8_t>(code)) : nullptr;
    return info ? QString::fromUtf8(info->title) : QString();
}

QString cell(const TraceEvent &event, int column, Secrets secrets)
{
    switch (column) {
    case Time:
        return QDateTime::fromMSecsSinceEpoch(event.timeMs).toString(QStringLiteral("HH:mm:ss.zzz"));
    case SinceMs:
        return QString::number(event.sinceMs);
    case Direction:
        return direction(event);
    case CommandName:
        return commandText(event);
    case Length:
        return looksLikeFrame(event.bytes)
                   ? QString::number(static_cast<std::uint8_t>(event.bytes[Frame::LengthOffset]))
                   : QString();
    case Bytes:
        return frameHex(event.bytes, secrets);
    default:
        return QString();
    }
}

QString line(const TraceEvent &event)
{
    QStringList cells;
    for (int c = 0; c < ColumnCount; ++c)
        cells << cell(event, c);
    return cells.join(QLatin1Char('\t'));
}

QString fileText(const Header &header, const TraceRecorder &recorder)
{
    QString text = QStringLiteral("%1\tпорт %2\tсеријски број %3\tпочетак %4")
                       .arg(header.program, header.port, header.serial,
                            QDateTime::fromMSecsSinceEpoch(header.startedMs)
                                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
    if (recorder.droppedCount() > 0)
        text += QStringLiteral("\tнајстаријих изостављено %1").arg(recorder.droppedCount());
    text += QLatin1Char('\n');
    for (int i = 0; i < recorder.size(); ++i) {
        text += line(recorder.at(i));
        text += QLatin1Char('\n');
    }
    return text;
}

QString decodeFrame(const QByteArray &bytes, Secrets secrets)
{
    if (bytes.isEmpty())
        return QString();
    if (!looksLikeFrame(bytes))
        return QStringLiteral("Бајтови ван оквира (%1): %2").arg(bytes.size()).arg(frameHex(bytes, secrets));
    const std::vector<bool> hidden = FrameSecrets::hidden(bytes);
    const auto *b = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    const int n = b[Frame::LengthOffset];
    const int expectedSize = n + Frame::Overhead;
    QStringList out;
    out << QStringLiteral("Почетни бајт: %1").arg(hex(bytes.mid(0, 1)));
    out << QStringLiteral("Стални бајтови: %1").arg(hex(bytes.mid(1, 2)));
    out << QStringLiteral("Серијски број: %1").arg(QString::fromLatin1(bytes.mid(3, 3).toHex().toUpper()));
    out << QStringLiteral("Редни бајт: %1 (%2)").arg(hex(bytes.mid(6, 1))).arg(b[6]);
    const QString title = commandTitle(b[Frame::CommandOffset]);
    out << QStringLiteral("Команда: %1 %2")
               .arg(b[Frame::CommandOffset])
               .arg(title.isEmpty() ? QStringLiteral("(непозната)") : title);
    out << QStringLiteral("N: %1").arg(n);
    if (bytes.size() < expectedSize) {
        out << QStringLiteral("Оквир је кратак: %1 бајтова уместо %2").arg(bytes.size()).arg(expectedSize);
        return out.join(QLatin1Char('\n'));
    }
    out << QStringLiteral("Подаци: %1")
               .arg(n == 0 ? QStringLiteral("(нема)") : hexOf(bytes, hidden, Frame::DataOffset, n, secrets));
    const int last = Frame::DataOffset + n - 1;
    const std::uint8_t crc1 = Frame::crc1(b, last);
    const std::uint8_t crc2 = Frame::crc2(b, last);
    const std::uint8_t got1 = b[last + 1];
    const std::uint8_t got2 = b[last + 2];
    const auto hiddenAt = [&](int i) { return secrets == Secrets::Hidden && hidden[static_cast<std::size_t>(i)]; };
    out << checksumLine(QStringLiteral("CRC1"), hexOf(bytes, hidden, last + 1, 1, secrets), got1 == crc1,
                        hiddenAt(last + 1), crc1);
    out << checksumLine(QStringLiteral("CRC2"), hexOf(bytes, hidden, last + 2, 1, secrets), got2 == crc2,
                        hiddenAt(last + 2), crc2);
    const std::uint8_t trailer = b[last + 3];
    out << QStringLiteral("Завршни бајт: %1 %2").arg(hex(bytes.mid(last + 3, 1)), yesNo(trailer == Frame::Trailer));
    if (bytes.size() > expectedSize)
        out << QStringLiteral("Вишак после оквира: %1")
                   .arg(hexOf(bytes, hidden, expectedSize, static_cast<int>(bytes.size()) - expectedSize, secrets));
    return out.join(QLatin1Char('\n'));
}

} // namespace TraceFormat
