#pragma once

#include "link/exchangedriver.h"
#include "protocol/frame.h"
#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "support/fakelink.h"

#include <QList>
#include <QStringList>
#include <cstdint>

// One family on a hand-driven link, with everything it reports recorded:
// the rig the family transfer tests share.
template <typename Family>
struct FamilyRig {
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx;
    Family family{ctx};
    QStringList statuses;
    QList<int> progress;
    QStringList messages; // "title|text"
    QStringList errors;
    int readsStarted = 0;

    explicit FamilyRig(char decimal) : ctx{driver, Regional::withDecimal(QLatin1Char(decimal))}
    {
        driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
        ParameterFamily *f = &family;
        QObject::connect(f, &ParameterFamily::status, [this](const QString &t) { statuses << t; });
        QObject::connect(f, &ParameterFamily::progress, [this](int v) { progress << v; });
        QObject::connect(f, &ParameterFamily::message,
                         [this](const QString &t, const QString &x) { messages << t + "|" + x; });
        QObject::connect(f, &ParameterFamily::programError, [this](const QString &e) { errors << e; });
        QObject::connect(f, &ParameterFamily::readStarted, [this] { ++readsStarted; });
    }
    int lastCommand() const { return static_cast<std::uint8_t>(port.last().at(Frame::CommandOffset)); }
    // The first data byte of the last request (the record number).
    int lastRecord() const { return static_cast<std::uint8_t>(port.last().at(Frame::DataOffset)); }
    // Acknowledges write requests of `command` while the family keeps writing.
    void acknowledgeAll(std::uint8_t command)
    {
        while (driver.isBusy() && lastCommand() == command && port.writes.size() < 100)
            driver.received(Frame::build({0x00, 0x45, 0x12}, 0x01, command, QByteArray(1, '\0')));
    }
};
