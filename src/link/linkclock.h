#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// Where the exchange driver takes the time of its events from.
class LinkClock {
public:
    virtual ~LinkClock() = default;
    // Milliseconds since the epoch.
    virtual qint64 nowMs() const = 0;
};

// Wall-clock time at start, moved on by a monotonic timer, so that events
// keep their order when the system clock is set back.
class SystemLinkClock : public LinkClock {
public:
    SystemLinkClock() : m_start(QDateTime::currentMSecsSinceEpoch()) { m_elapsed.start(); }
    qint64 nowMs() const override { return m_start + m_elapsed.elapsed(); }

private:
    qint64 m_start;
    QElapsedTimer m_elapsed;
};
