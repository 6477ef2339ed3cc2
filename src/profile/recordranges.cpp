#include "profile/recordranges.h"

#include <QStringList>
#include <algorithm>

namespace RecordRanges {

QString toText(QList<int> records)
{
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    QStringList runs;
    for (qsizetype i = 0; i < records.size();) {
        qsizetype j = i;
        while (j + 1 < records.size() && records[j + 1] == records[j] + 1)
            ++j;
        runs << (i == j ? QString::number(records[i])
                        : QStringLiteral("%1-%2").arg(records[i]).arg(records[j]));
        i = j + 1;
    }
    return runs.join(QLatin1Char(','));
}

namespace {
bool number(const QString &text, int limit, int *out)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n >= limit || text.startsWith(QLatin1Char('+')))
        return false;
    *out = n;
    return true;
}
} // namespace

bool fromText(const QString &text, int limit, QList<int> *records)
{
    QList<int> out;
    if (!text.isEmpty()) {
        for (const QString &run : text.split(QLatin1Char(','))) {
            const QStringList ends = run.split(QLatin1Char('-'));
            int first = 0;
            int last = 0;
            if (ends.size() > 2 || !number(ends[0], limit, &first) || !number(ends.value(1, ends[0]), limit, &last)
                || last < first || (!out.isEmpty() && first <= out.last()))
                return false;
            for (int r = first; r <= last; ++r)
                out << r;
        }
    }
    *records = out;
    return true;
}

} // namespace RecordRanges
