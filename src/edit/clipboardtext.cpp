#include "edit/clipboardtext.h"

namespace ClipboardText {
namespace {

bool needsQuotes(const QString &cell)
{
    for (const QChar c : cell)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('"'))
            return true;
    return false;
}

} // namespace

QString encode(const Block &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c)
                text += QLatin1Char('\t');
            const QString &cell = row.at(c);
            if (needsQuotes(cell)) {
                QString quoted = cell;
                quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
                text += QLatin1Char('"') + quoted + QLatin1Char('"');
            } else {
                text += cell;
            }
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

Block decode(const QString &text)
{
    Block rows;
    QStringList row;
    QString cell;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool cellStarted = false; // something of the current row was read
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') && cell.isEmpty()) {
            // A quoted cell: up to the quote not doubled; what follows it
            // before the next tab or line break is kept as it stands.
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        cell += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += text.at(i++);
            }
            cellStarted = true;
            while (i < n && text.at(i) != QLatin1Char('\t') && text.at(i) != QLatin1Char('\n')
                   && text.at(i) != QLatin1Char('\r'))
                cell += text.at(i++);
            continue;
        }
        if (c == QLatin1Char('\t')) {
            row << cell;
            cell.clear();
            cellStarted = true;
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            row << cell;
            cell.clear();
            rows << row;
            row.clear();
            cellStarted = false;
            i += (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
        } else {
            cell += c;
            cellStarted = true;
            ++i;
        }
    }
    if (cellStarted || !cell.isEmpty()) {
        row << cell;
        rows << row;
    }
    return rows;
}

int width(const Block &rows)
{
    qsizetype w = 0;
    for (const QStringList &row : rows)
        w = qMax(w, row.size());
    return int(w);
}

} // namespace ClipboardText
