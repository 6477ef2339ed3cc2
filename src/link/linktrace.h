#pragma once

#include <QString>

class ExchangeDriver;
class SerialLine;
class TraceRecorder;
struct LinkEvent;
enum class TraceKind;

// Feeds the link trace from the exchange driver's events and from the
// register port's opening, closing and loss.
namespace LinkTrace {

void connect(TraceRecorder &recorder, ExchangeDriver &driver, SerialLine &line);

// The trace entry a driver event becomes: its kind and what the bytes were
// when they are not a plain request or reply.
TraceKind kindOf(const LinkEvent &event);
QString noteOf(const LinkEvent &event);

} // namespace LinkTrace
