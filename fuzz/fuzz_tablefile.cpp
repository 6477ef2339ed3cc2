// Field extraction and the article/department file loaders on arbitrary bytes.
#include "charset/cp1251.h"
#include "tablefiles/delimitedfields.h"
#include "tablefiles/tablefile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (QChar separator : {QChar(u';'), QChar(u',')}) {
        const QList<QStringList> articles = TableFile::articles().load(bytes, separator);
        if (articles.size() > 4000)
            std::abort();
        for (const QStringList &row : articles)
            if (row.size() != 8)
                std::abort();
        if (TableFile::departments().load(bytes, separator).size() > 8)
            std::abort();
        // Read in two pieces, the file gives what it gives read whole; no
        // cell is longer than the limit.
        const TableFileContent whole = TableFile::articles().read(bytes, separator);
        TableFile::Reader reader(TableFile::articles(), separator);
        const qsizetype cut = size > 0 ? qsizetype(data[0]) % (bytes.size() + 1) : 0;
        reader.feed(bytes.constData(), cut);
        reader.feed(bytes.constData() + cut, bytes.size() - cut);
        const TableFileContent pieces = reader.finish();
        if (pieces.rows != whole.rows || pieces.problem != whole.problem || pieces.badLine != whole.badLine)
            std::abort();
        for (const QStringList &row : whole.rows)
            for (const QString &cell : row)
                if (cell.size() > TableFile::CellLimit)
                    std::abort();
        const QString line = Cp1251::toUnicode(bytes.left(512));
        const QStringList all = DelimitedFields::extractAll(line, 12, separator);
        for (int k = 1; k <= 12; ++k)
            if (all[k - 1] != DelimitedFields::extract(line, k, separator))
                std::abort();
    }
    return 0;
}
