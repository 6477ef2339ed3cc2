#pragma once

#include "link/traceevent.h"

#include <QObject>
#include <deque>
#include <functional>

// Keeps the newest events of the register line, oldest first. Bounded: once
// full, each new event drops the oldest one, so the trace can stay on for a
// whole working day at a fixed cost.
class TraceRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultCapacity = 100000;
    using Clock = std::function<qint64()>; // wall-clock milliseconds since the epoch

    explicit TraceRecorder(Clock clock = Clock(), int capacity = DefaultCapacity, QObject *parent = nullptr);

    // Records an event at the clock's time.
    void record(TraceKind kind, const QByteArray &bytes = QByteArray(), int repeat = 0,
                const QString &note = QString());
    // Records an event at a time given by its source (the driver's clock).
    void recordAt(qint64 timeMs, TraceKind kind, const QByteArray &bytes = QByteArray(), int repeat = 0,
                  const QString &note = QString());
    void clear();

    int size() const { return static_cast<int>(m_events.size()); }
    int capacity() const { return m_capacity; }
    const TraceEvent &at(int index) const { return m_events[static_cast<std::size_t>(index)]; }
    // Events dropped to keep within the capacity since the last clear.
    qint64 droppedCount() const { return m_dropped; }
    // When recording started (construction or the last clear).
    qint64 startedMs() const { return m_startedMs; }
    qint64 nowMs() const;

signals:
    // An event was added (and maybe the oldest dropped). Listeners that
    // redraw should batch these.
    void recorded();
    void cleared();

private:
    Clock m_clock;
    int m_capacity;
    std::deque<TraceEvent> m_events;
    qint64 m_dropped = 0;
    qint64 m_startedMs = 0;
    qint64 m_lastMs = -1;
};
