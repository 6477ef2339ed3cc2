#pragma once

#include "link/linkport.h"

#include <QTimer>

// The retry timer on a QTimer; its expiry is handed to the callback.
class QtRetryTimer : public QObject, public RetryTimer {
    Q_OBJECT
public:
    explicit QtRetryTimer(int intervalMs = 5000, QObject *parent = nullptr) : QObject(parent)
    {
        m_timer.setObjectName(QStringLiteral("Timer"));
        m_timer.setSingleShot(true);
        m_timer.setInterval(intervalMs);
        connect(&m_timer, &QTimer::timeout, this, &QtRetryTimer::expired);
    }
    void setInterval(int ms) { m_timer.setInterval(ms); }
    int interval() const { return m_timer.interval(); }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

signals:
    void expired();

private:
    QTimer m_timer;
};
