#pragma once

#include <QEventLoop>
#include <QTimer>
#include <functional>

// Runs a real event loop until `done` holds or `timeoutMs` pass; true when it
// holds. Use this rather than QTest::qWaitFor around serial traffic: with
// Qt 6.4, QSerialPort on a pseudo-terminal stops seeing its descriptor after
// a hundred or so quick exchanges driven by qWaitFor's time-limited
// processEvents.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}
