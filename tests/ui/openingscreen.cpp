// Puts the offscreen platform on the screen this executable is built for
// (VILARON_TEST_SCREEN names its configuration file): set before the
// application object exists, which the test main creates.
#include <QByteArray>
#include <QtGlobal>

namespace {
[[maybe_unused]] const bool onScreen = qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + VILARON_TEST_SCREEN);
}
