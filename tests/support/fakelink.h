#pragma once

#include "link/linkclock.h"
#include "link/linkport.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A register port that records what is written and can be told to fail.
class FakePort : public LinkPort {
public:
    bool open = true;
    bool failWrites = false;
    QString failureText = QStringLiteral("Problem u komunikaciji sa kasom (win error code: 5)");
    QList<QByteArray> writes;

    bool isOpen() const override { return open; }
    bool write(const QByteArray &bytes, QString *error) override
    {
        writes.append(bytes);
        if (failWrites) {
            if (error)
                *error = failureText;
            return false;
        }
        return true;
    }
    QByteArray last() const { return writes.isEmpty() ? QByteArray() : writes.last(); }
};

// A retry timer that only says whether it runs; tests tick the driver by hand.
class FakeTimer : public RetryTimer {
public:
    bool active = false;
    int starts = 0;
    void start() override
    {
        active = true;
        ++starts;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
};

// A clock that shows the time the test sets.
class ManualClock : public LinkClock {
public:
    qint64 now = 0;
    qint64 nowMs() const override { return now; }
};

inline QByteArray hexBytes(const char *hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }
