#pragma once

// A driver on a fake port, a hand-ticked timer and a hand-set clock, with
// everything it reports collected, and one way to feed it bytes split as a
// port might split them.

#include "link/exchangedriver.h"
#include "transfer/drivernotices.h"
#include "support/fakelink.h"
#include "support/replychecksums.h"

#include <QList>
#include <QStringList>

enum class Split { Whole, ByteByByte, WithTrailingBytes };

inline const char *splitName(Split s)
{
    switch (s) {
    case Split::Whole: return "whole";
    case Split::ByteByByte: return "one byte at a time";
    case Split::WithTrailingBytes: return "with trailing bytes";
    }
    return "?";
}

// The start of a further frame, arriving with the last piece.
inline QByteArray trailingBytes() { return QByteArray::fromHex("AA0111"); }

// A reply frame with right checksums.
inline QByteArray replyFrame(int command, const QByteArray &data = QByteArray(), int sequence = 1)
{
    QByteArray f = QByteArray::fromHex("AA0111000000");
    f.append(char(sequence));
    f.append(char(command));
    f.append(char(data.size()));
    f.append(data);
    f.append('\0').append('\0').append('\x0D');
    return withRightChecksums(f);
}

// An article read reply for one article index.
inline QByteArray articleReply(int index, int sequence = 1)
{
    QByteArray data(65, '\0');
    data[0] = char(index & 0xFF);
    data[1] = char(index >> 8);
    return replyFrame(115, data, sequence);
}

inline QByteArray articleIndex(int index)
{
    QByteArray d(2, '\0');
    d[0] = char(index & 0xFF);
    d[1] = char(index >> 8);
    return d;
}

struct DriverRig {
    FakePort port;
    FakeTimer timer;
    ManualClock clock;
    ExchangeDriver driver{port, timer};
    DriverNotices notices{driver};
    QList<QByteArray> handled;
    QStringList statuses;
    QList<LinkEvent> events;
    ArrivalResult outcomes;

    DriverRig()
    {
        driver.setClock(&clock);
        driver.setSerialNumberSource([] { return QStringLiteral("123"); });
        for (int code : {101, 107, 115, 116})
            driver.setReplyHandler(std::uint8_t(code), [this](const QByteArray &f) { handled.append(f); });
        QObject::connect(&notices, &DriverNotices::status, [this](const QString &s) { statuses.append(s); });
        QObject::connect(&driver, &ExchangeDriver::linkEvent, [this](const LinkEvent &e) { events.append(e); });
    }

    void feed(const QByteArray &bytes, Split split)
    {
        switch (split) {
        case Split::Whole:
            outcomes += driver.received(bytes);
            break;
        case Split::ByteByByte:
            for (char c : bytes)
                outcomes += driver.received(QByteArray(1, c));
            break;
        case Split::WithTrailingBytes:
            outcomes += driver.received(bytes + trailingBytes());
            break;
        }
    }

    // The outcomes of completed pieces, without the "still collecting" marks
    // that depend on where the bytes were cut.
    ArrivalResult completed() const
    {
        ArrivalResult r;
        for (ArrivalOutcome o : outcomes)
            if (o != ArrivalOutcome::Incomplete)
                r.append(o);
        return r;
    }

    QList<LinkEventKind> eventKinds() const
    {
        QList<LinkEventKind> kinds;
        for (const LinkEvent &e : events)
            kinds.append(e.kind);
        return kinds;
    }
};
