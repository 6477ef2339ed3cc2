#include "tablefiles/delimitedfields.h"

namespace DelimitedFields {

namespace {
const QChar Quote = QLatin1Char('"');
} // namespace

QString unquote(QString result)
{
    if (!result.isEmpty() && result.startsWith(Quote) && result.endsWith(Quote))
        result = result.size() == 1 ? QString() : result.mid(1, result.size() - 2);
    if (result.size() > 1)
        result.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return result;
}

QString extract(const QString &line, int k, QChar separator)
{
    int counter = 1;
    bool inQuotes = false;
    QString result;
    for (qsizetype i = 0; i < line.size() && counter <= k; ++i) {
        const QChar c = line[i];
        if (c == Quote) {
            inQuotes = !inQuotes;
            if (counter == k)
                result.append(c);
        } else if (c == separator && !inQuotes) {
            ++counter;
        } else if (counter == k) {
            result.append(c);
        }
    }
    return unquote(result);
}

QStringList extractAll(const QString &line, int count, QChar separator)
{
    // One pass over the line instead of one per field; the same rules.
    QStringList raw;
    raw.reserve(count);
    for (int i = 0; i < count; ++i)
        raw.append(QString());
    int counter = 1;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size() && counter <= count; ++i) {
        const QChar c = line[i];
        if (c == Quote) {
            inQuotes = !inQuotes;
            raw[counter - 1].append(c);
        } else if (c == separator && !inQuotes) {
            ++counter;
        } else {
            raw[counter - 1].append(c);
        }
    }
    for (QString &field : raw)
        field = unquote(field);
    return raw;
}

QString quoted(const QString &text)
{
    QString inner = text;
    inner.replace(Quote, QStringLiteral("\"\""));
    return Quote + inner + Quote;
}

QString enclosed(const QString &text) { return Quote + text + Quote; }

QStringList splitLines(const QString &text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(current);
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

} // namespace DelimitedFields
