// The CSV reader of the article import on arbitrary bytes: a sheet or a
// refusal naming the file, never both; the same bytes give the same cells.
#include "import/csvreader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = QStringLiteral("list.csv");
    const Workbook book = CsvReader::read(bytes, name);
    if (book.ok() != book.error.isEmpty() || (book.ok() && book.sheets.size() != 1)
        || (!book.ok() && (!book.sheets.isEmpty() || !book.error.contains(name))))
        std::abort();
    if (book.ok()) {
        const QString text = CsvReader::decode(bytes);
        if (CsvReader::split(text, CsvReader::detectDelimiter(text)) != book.sheets.at(0).rows)
            std::abort();
    }
    return 0;
}
