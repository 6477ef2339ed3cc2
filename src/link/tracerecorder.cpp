#include "link/tracerecorder.h"

#include <QDateTime>

TraceRecorder::TraceRecorder(Clock clock, int capacity, QObject *parent)
    : QObject(parent), m_clock(std::move(clock)), m_capacity(qMax(1, capacity))
{
    if (!m_clock)
        m_clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
    m_startedMs = m_clock();
}

qint64 TraceRecorder::nowMs() const
{
    return m_clock();
}

void TraceRecorder::record(TraceKind kind, const QByteArray &bytes, int repeat, const QString &note)
{
    recordAt(m_clock(), kind, bytes, repeat, note);
}

void TraceRecorder::recordAt(qint64 timeMs, TraceKind kind, const QByteArray &bytes, int repeat,
                             const QString &note)
{
    if (static_cast<int>(m_events.size()) >= m_capacity) {
        m_events.pop_front();
        ++m_dropped;
    }
    TraceEvent event;
    event.timeMs = timeMs;
    event.sinceMs = m_lastMs < 0 ? 0 : qMax<qint64>(0, timeMs - m_lastMs);
    event.kind = kind;
    event.repeat = repeat;
    event.bytes = bytes;
    event.note = note;
    m_lastMs = timeMs;
    m_events.push_back(std::move(event));
    emit recorded();
}

void TraceRecorder::clear()
{
    m_events.clear();
    m_dropped = 0;
    m_lastMs = -1;
    m_startedMs = m_clock();
    emit cleared();
}
