#pragma once

#include <QString>
#include <optional>

// A register line given as a URL: "tcp://HOST:PORT" carries the frames as
// they are, "rfc2217://HOST:PORT" inside Telnet with the COM-PORT option.
struct NetworkAddress {
    enum class Kind { RawTcp, Rfc2217 };
    Kind kind = Kind::RawTcp;
    QString host;
    quint16 port = 0;

    // The address as the user typed it, for messages and the trace.
    QString text() const;

    // True when the name is meant as a URL (even a malformed one), so that it
    // is never opened as a device path.
    static bool looksLikeUrl(const QString &name);
    // The address a port name stands for; none for a device path or COMn, or
    // for a URL without a host or a port from 1 to 65535.
    static std::optional<NetworkAddress> parse(const QString &name);
};
