#pragma once

// Shared by the XLSX and ODS fuzz targets: the bytes read as a workbook must
// give sheets or a refusal that names the file, never a crash or both.
#include "import/bookreader.h"

#include <cstdint>
#include <cstdlib>

inline void fuzzWorkbook(const std::uint8_t *data, std::size_t size, const QString &name)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Workbook book = BookReader::read(bytes, name);
    if (book.ok() != book.error.isEmpty() || (!book.ok() && (!book.sheets.isEmpty() || !book.error.contains(name))))
        std::abort();
    for (const Sheet &sheet : book.sheets)
        for (const SheetRow &row : sheet.rows)
            if (row.size() > 16384)
                std::abort();
}
