// The XLSX reader (QuaZip and the workbook's XML) on arbitrary bytes, seeded
// with the workbooks of LibreOffice Calc and openpyxl: a zip damaged at any
// byte is refused, never a crash.
#include "zipreaderfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzWorkbook(data, size, QStringLiteral("list.xlsx"));
    return 0;
}
