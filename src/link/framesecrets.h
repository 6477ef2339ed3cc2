#pragma once

#include <QByteArray>
#include <vector>

// Which bytes of a frame on the register line must not be shown to whoever
// reads a trace: the service and report passwords of the logo and password
// record (103, 104) and an operator's password (117, 118), whichever way the
// frame went. A frame's two checksums are computed over its password, and
// from the sum and the exclusive-or of a six-digit password's bytes it can
// be found again in a few guesses, so a frame that carries a password hides
// its checksums too.
namespace FrameSecrets {

// One flag per byte of `bytes`, true for a byte to hide. Bytes that do not
// start a frame of such a command hide nothing. A frame whose length does
// not agree with its N hides every byte at a password's offset that it holds.
std::vector<bool> hidden(const QByteArray &bytes);

} // namespace FrameSecrets
