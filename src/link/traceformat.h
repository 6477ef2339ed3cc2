#pragma once

#include "link/traceevent.h"

#include <QString>
#include <QStringList>

class TraceRecorder;

// How trace events are written for people: the six columns of the trace
// window and of the saved file, and the field-by-field reading of a frame.
namespace TraceFormat {

enum Column { Time, SinceMs, Direction, CommandName, Length, Bytes, ColumnCount };

QStringList columnTitles();
// The text of one column of an event.
QString cell(const TraceEvent &event, int column);
// Upper-case hex, bytes separated by blanks.
QString hex(const QByteArray &bytes);
// The six columns joined by tabs.
QString line(const TraceEvent &event);

// The header of a saved trace: program, port, serial number, start time.
struct Header {
    QString program;
    QString port;
    QString serial;
    qint64 startedMs = 0;
};
// The whole saved trace: the header line, then one line per event; each line
// ends with a line feed.
QString fileText(const Header &header, const TraceRecorder &recorder);

// A frame read field by field, each checksum marked right or wrong against the
// bytes. Bytes that are not a whole frame are said to be so.
QString decodeFrame(const QByteArray &bytes);

} // namespace TraceFormat
