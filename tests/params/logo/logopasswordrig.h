#pragma once

#include "params/logo/logofamily.h"
#include "params/passwords/passwordfamily.h"
#include "protocol/frame.h"
#include "support/fakelink.h"

#include <QStringList>
#include <cstdint>

// The logo and the passwords that share its record, on a hand-driven link,
// with everything one of them reports recorded: the rig of the logo and the
// password transfer tests.
struct LogoPasswordRig {
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx;
    LogoFamily logo{ctx};
    PasswordFamily passwords{ctx, logo.record()};
    QStringList statuses;
    QList<int> progress;
    QStringList messages; // "title|text"
    QStringList errors;
    QStringList shown;    // "service/report" of each password read
    int readsStarted = 0;
    int pictureChanges = 0;

    // The family the rig records.
    enum Watched { Logo, Passwords };

    LogoPasswordRig(char decimal, Watched which) : ctx{driver, Regional::withDecimal(QLatin1Char(decimal))}
    {
        ParameterFamily &watched = which == Logo ? static_cast<ParameterFamily &>(logo) : passwords;
        driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
        QObject::connect(&watched, &ParameterFamily::status, [this](const QString &s) { statuses << s; });
        QObject::connect(&watched, &ParameterFamily::progress, [this](int v) { progress << v; });
        QObject::connect(&watched, &ParameterFamily::message,
                         [this](const QString &t, const QString &x) { messages << t + "|" + x; });
        QObject::connect(&watched, &ParameterFamily::programError, [this](const QString &e) { errors << e; });
        QObject::connect(&watched, &ParameterFamily::readStarted, [this] { ++readsStarted; });
        QObject::connect(&passwords, &PasswordFamily::passwordsRead,
                         [this](const QString &s, const QString &r) { shown << s + "/" + r; });
        QObject::connect(&logo, &LogoFamily::pictureChanged, [this] { ++pictureChanges; });
    }

    static QByteArray reply(std::uint8_t command, const QByteArray &data)
    {
        return Frame::build({0x00, 0x45, 0x12}, 0x01, command, data);
    }
    static QByteArray recordReply(quint32 service, quint32 report, int height)
    {
        QByteArray d(9, '\0');
        for (int k = 0; k < 4; ++k) {
            d[k] = char(service >> (8 * k));
            d[4 + k] = char(report >> (8 * k));
        }
        d[8] = char(height);
        return reply(103, d);
    }
    int lastCommand() const { return quint8(port.last().at(Frame::CommandOffset)); }
};
