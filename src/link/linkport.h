#pragma once

#include <QByteArray>
#include <QString>

// The register port as the exchange driver sees it.
class LinkPort {
public:
    virtual ~LinkPort() = default;
    virtual bool isOpen() const = 0;
    // Writes all bytes and waits until they are written. On failure returns
    // false and puts the port layer's message into *error.
    virtual bool write(const QByteArray &bytes, QString *error) = 0;
};

// The retry timer as the exchange driver sees it: one shot of the retry
// period; its expiry is fed back through ExchangeDriver::retryTick().
class RetryTimer {
public:
    virtual ~RetryTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};
