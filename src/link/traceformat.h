#pragma once

#include "link/traceevent.h"

#include <QString>
#include <QStringList>

class TraceRecorder;

// How trace events are written for people: the six columns of the trace
// window and of the saved file, and the field-by-field reading of a frame.
// Password bytes (see FrameSecrets) read "••" unless the window is told to
// show them; whatever leaves the window (a file, the clipboard) hides them.
namespace TraceFormat {

enum Column { Time, SinceMs, Direction, CommandName, Length, Bytes, ColumnCount };

enum class Secrets { Hidden, Shown };

// What a hidden byte reads in place of its two hex digits.
inline const QString HiddenByte = QStringLiteral("••");

QStringList columnTitles();
// The text of one column of an event.
QString cell(const TraceEvent &event, int column, Secrets secrets = Secrets::Hidden);
// Upper-case hex, bytes separated by blanks, every byte as it is.
QString hex(const QByteArray &bytes);
// As hex, with the password bytes of a frame hidden unless shown.
QString frameHex(const QByteArray &bytes, Secrets secrets = Secrets::Hidden);
// The six columns joined by tabs, passwords hidden.
QString line(const TraceEvent &event);
// The Serbian name of a command code, empty for a code outside the protocol.
QString commandTitle(int code);

// The header of a saved trace: program, port, serial number, start time.
struct Header {
    QString program;
    QString port;
    QString serial;
    qint64 startedMs = 0;
};
// The whole saved trace: the header line, then one line per event; each line
// ends with a line feed. Passwords are always hidden.
QString fileText(const Header &header, const TraceRecorder &recorder);

// A frame read field by field, each checksum marked right or wrong against the
// real bytes even where it is hidden. Bytes that are not a whole frame are
// said to be so.
QString decodeFrame(const QByteArray &bytes, Secrets secrets = Secrets::Hidden);

} // namespace TraceFormat
