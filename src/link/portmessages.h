#pragma once

#include "link/portfacts.h"

#include <QString>
#include <optional>

// The texts the user reads when a port does not open or goes away: the
// required first line, then, in the window's language, the device, the cause
// and what to do about it.
namespace PortMessages {

// "COM1 (/dev/ttyS0)" for a label, the path alone for a path.
QString portShown(const QString &portName, const QString &device);

// "Problem u otvaranju porta (win error code: N)" followed by the lines that
// explain it; `holder` names the program that has the port, when known.
QString openFailure(const QString &portName, const QString &device, int osError, PortFacts::Cause cause,
                    const std::optional<PortFacts::Holder> &holder = std::nullopt);

// The device went away while the port was open.
QString deviceLost(const QString &portName, const QString &device);

// Why a network register line did not connect.
enum class NetworkCause { Refused, UnknownHost, NoRoute, TimedOut, BadAddress, Other };

// The opening failure of a tcp:// or rfc2217:// line, in the same form as
// openFailure(), naming the address.
QString networkFailure(const QString &address, NetworkCause cause);

// An RFC 2217 server did not set the line as asked; the line stays open.
QString settingsRefused(const QString &address, const QString &refused);

// The connection closed while the line was open.
QString connectionLost(const QString &address);

} // namespace PortMessages
