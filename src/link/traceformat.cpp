#include "link/traceformat.h"

#include "protocol/commands.h"
#include "protocol/frame.h"
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
        const CommandInfo *info = Commands::find(code);
        text = info ? QStringLiteral("%1 %2").arg(code).arg(QString::fromLatin1(info->name))
                    : QString::number(code);
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

QString cell(const TraceEvent &event, int column)
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
        return hex(event.bytes);
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

QString decodeFrame(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (!looksLikeFrame(bytes))
        return QStringLiteral("Бајтови ван оквира (%1): %2").arg(bytes.size()).arg(hex(bytes));
    const auto *b = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    const int n = b[Frame::LengthOffset];
    const int expectedSize = n + Frame::Overhead;
    QStringList out;
    out << QStringLiteral("Почетни бајт: %1").arg(hex(bytes.mid(0, 1)));
    out << QStringLiteral("Стални бајтови: %1").arg(hex(bytes.mid(1, 2)));
    out << QStringLiteral("Серијски број: %1").arg(QString::fromLatin1(bytes.mid(3, 3).toHex().toUpper()));
    out << QStringLiteral("Редни бајт: %1 (%2)").arg(hex(bytes.mid(6, 1))).arg(b[6]);
    const CommandInfo *info = Commands::find(b[Frame::CommandOffset]);
    out << QStringLiteral("Команда: %1 %2")
               .arg(b[Frame::CommandOffset])
               .arg(info ? QString::fromLatin1(info->name) : QStringLiteral("(непозната)"));
    out << QStringLiteral("N: %1").arg(n);
    if (bytes.size() < expectedSize) {
        out << QStringLiteral("Оквир је кратак: %1 бајтова уместо %2").arg(bytes.size()).arg(expectedSize);
        return out.join(QLatin1Char('\n'));
    }
    out << QStringLiteral("Подаци: %1").arg(n == 0 ? QStringLiteral("(нема)") : hex(bytes.mid(Frame::DataOffset, n)));
    const int last = Frame::DataOffset + n - 1;
    const std::uint8_t crc1 = Frame::crc1(b, last);
    const std::uint8_t crc2 = Frame::crc2(b, last);
    const std::uint8_t got1 = b[last + 1];
    const std::uint8_t got2 = b[last + 2];
    out << QStringLiteral("CRC1: %1 %2").arg(hex(bytes.mid(last + 1, 1)), yesNo(got1 == crc1))
               + (got1 == crc1 ? QString() : QStringLiteral(" (треба %1)").arg(hexByte(crc1)));
    out << QStringLiteral("CRC2: %1 %2").arg(hex(bytes.mid(last + 2, 1)), yesNo(got2 == crc2))
               + (got2 == crc2 ? QString() : QStringLiteral(" (треба %1)").arg(hexByte(crc2)));
    const std::uint8_t trailer = b[last + 3];
    out << QStringLiteral("Завршни бајт: %1 %2").arg(hex(bytes.mid(last + 3, 1)), yesNo(trailer == Frame::Trailer));
    if (bytes.size() > expectedSize)
        out << QStringLiteral("Вишак после оквира: %1").arg(hex(bytes.mid(expectedSize)));
    return out.join(QLatin1Char('\n'));
}

} // namespace TraceFormat
