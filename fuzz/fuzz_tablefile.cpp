// Field extraction and the article/department file loaders on arbitrary bytes.
#include "charset/cp1251.h"
#include "params/tablefiles/delimitedfields.h"
#include "params/tablefiles/tablefile.h"

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
        const QString line = Cp1251::toUnicode(bytes.left(512));
        const QStringList all = DelimitedFields::extractAll(line, 12, separator);
        for (int k = 1; k <= 12; ++k)
            if (all[k - 1] != DelimitedFields::extract(line, k, separator))
                std::abort();
    }
    return 0;
}
