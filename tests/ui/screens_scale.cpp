// Makes the screens tests run at a 1.25 scale factor: set before the
// application object exists, which the test main creates.
#include <QByteArray>
#include <QtGlobal>

namespace {
const bool scaled = qputenv("QT_SCALE_FACTOR", QByteArray("1.25"));
}
