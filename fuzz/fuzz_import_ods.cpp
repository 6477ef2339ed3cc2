// The ODS reader (QuaZip and content.xml) on arbitrary bytes, seeded with
// LibreOffice Calc's spreadsheet: a zip damaged at any byte is refused,
// never a crash.
#include "zipreaderfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzWorkbook(data, size, QStringLiteral("list.ods"));
    return 0;
}
