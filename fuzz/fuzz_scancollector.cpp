// The scanner collector on arbitrary receive events: the collected text
// stays bounded and every code it gives is digits only.
#include "barcode/scancollector.h"

#include <cstdint>
#include <cstdlib>

namespace {
void check(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ScanCollector collector;
    // Each event: one length byte, then that many bytes.
    std::size_t i = 0;
    int lineEnds = 0;
    int codes = 0;
    while (i < size) {
        const std::size_t wanted = data[i];
        ++i; // the length byte; the event's bytes follow it
        const std::size_t length = std::min<std::size_t>(wanted, size - i);
        const QByteArray event(reinterpret_cast<const char *>(data + i), qsizetype(length));
        i += length;
        for (char c : event)
            lineEnds += ScanCollector::isLineEnd(c) ? 1 : 0;
        const QStringList scans = collector.received(event);
        codes += int(scans.size());
        for (const QString &code : scans)
            for (QChar c : code)
                check(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        check(collector.pending().size() <= ScanCollector::MaxPending);
    }
    check(codes <= lineEnds);
    return 0;
}
