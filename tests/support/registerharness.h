#pragma once

// The program's link stack against the simulated register: the real serial
// line on the simulator's pseudo-terminal, the Qt retry timer and the
// exchange driver, with everything the families and the driver report
// collected for the test to look at.

#include "link/exchangedriver.h"
#include "link/qtretrytimer.h"
#include "link/serialline.h"
#include "transfer/drivernotices.h"
#include "transfer/parameterfamily.h"
#include "sim/ptyregister.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QTimer>

class RegisterHarness {
public:
    explicit RegisterHarness(const RegisterState &initial = RegisterState::blank()) : reg(initial)
    {
        QObject::connect(&line, &SerialLine::bytesArrived, &driver, &ExchangeDriver::received);
        QObject::connect(&timer, &QtRetryTimer::expired, &driver, &ExchangeDriver::retryTick);
        driver.setSerialNumberSource([] { return QStringLiteral("123456"); });
        watchTexts(notices);
        QObject::connect(&driver, &ExchangeDriver::programError, [this](const QString &t) { errors.append(t); });
        QObject::connect(&driver, &ExchangeDriver::cancellableChanged, [this](bool on) { cancelVisible = on; });
    }

    // Opens the register port on the simulator's pseudo-terminal.
    bool open(QString *error)
    {
        if (!reg.isOpen()) {
            *error = reg.errorString();
            return false;
        }
        line.setPortName(reg.slavePath());
        return line.open(error);
    }

    void watch(ParameterFamily &family)
    {
        watchTexts(family);
        QObject::connect(&family, &ParameterFamily::programError, [this](const QString &t) { errors.append(t); });
        QObject::connect(&family, &ParameterFamily::pagesLocked, [this](bool on) { pageEnabled = !on; });
    }

    template <typename Source>
    void watchTexts(Source &source)
    {
        QObject::connect(&source, &Source::status, [this](const QString &t) { status = t; });
        QObject::connect(&source, &Source::progress, [this](int v) { progress = v; });
        QObject::connect(&source, &Source::message,
                         [this](const QString &title, const QString &text) { messages.append({title, text}); });
    }

    // Runs the event loop until the condition holds (false after the
    // timeout). Unlike QTest::qWaitFor, which naps 10 ms between passes and so
    // adds 10 ms to every hop of an exchange, this waits for the next event,
    // so a 4000-article transfer runs at the speed of the line.
    template <typename Condition>
    static bool waitFor(Condition condition, int timeoutMs = 20000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        QTimer wake; // lets the wait look at the deadline now and then
        wake.start(20);
        while (!condition()) {
            if (deadline.hasExpired())
                return condition();
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return true;
    }

    // Requests of one command code the register acted on, by record index.
    QList<int> handled(int code) const
    {
        QList<int> indexes;
        for (const RegisterResponder::Handled &h : reg.log())
            if (h.code == code)
                indexes.append(h.index);
        return indexes;
    }

    PtyRegister reg;
    SerialLine line{SerialSettings::registerPort()};
    QtRetryTimer timer{5000};
    ExchangeDriver driver{line, timer};
    DriverNotices notices{driver};

    QString status;
    int progress = 0;
    QList<QPair<QString, QString>> messages;
    QStringList errors;
    bool pageEnabled = true;
    bool cancelVisible = true; // the cancel button is visible at start-up
};
