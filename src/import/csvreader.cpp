#include "import/csvreader.h"

#include "charset/cp1251.h"

#include <QHash>
#include <QStringDecoder>

namespace CsvReader {

namespace {

const QChar Candidates[] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t'), QLatin1Char('|')};
constexpr int SampleLines = 50;

bool validUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    return validUtf8(bytes) ? QString::fromUtf8(bytes) : Cp1251::toUnicode(bytes);
}

QChar detectDelimiter(const QString &text)
{
    // Per candidate, how many fields each of the first lines has outside quotes.
    QList<QList<int>> counts(std::size(Candidates));
    QList<int> line(std::size(Candidates), 0);
    bool quoted = false;
    int lines = 0;
    for (qsizetype i = 0; i <= text.size() && lines < SampleLines; ++i) {
        const QChar c = i < text.size() ? text.at(i) : QLatin1Char('\n');
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (i + 1 < text.size() && c == QLatin1Char('\r') && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            for (std::size_t k = 0; k < std::size(Candidates); ++k) {
                counts[k] << line[k];
                line[k] = 0;
            }
            ++lines;
        } else if (!quoted) {
            for (std::size_t k = 0; k < std::size(Candidates); ++k)
                line[k] += c == Candidates[k] ? 1 : 0;
        }
    }
    // The best candidate appears on the most lines the same number of times.
    QChar best = Candidates[0];
    int bestScore = 0;
    for (std::size_t k = 0; k < std::size(Candidates); ++k) {
        QHash<int, int> often;
        for (int n : counts[k])
            if (n > 0)
                ++often[n];
        int score = 0;
        for (auto o = often.constBegin(); o != often.constEnd(); ++o)
            score = qMax(score, o.value());
        if (score > bestScore) {
            bestScore = score;
            best = Candidates[k];
        }
    }
    return best;
}

QList<SheetRow> split(const QString &text, QChar delimiter)
{
    QList<SheetRow> rows;
    SheetRow row;
    QString field;
    bool quoted = false;
    bool any = false; // the line has something (a field, a delimiter)
    const auto endField = [&] {
        row << SheetCell{field, false};
        field.clear();
    };
    const auto endRow = [&] {
        endField();
        rows << row;
        row.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else
                quoted = false;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == delimiter) {
            endField();
            any = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRow();
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

Workbook read(const QByteArray &bytes, const QString &name)
{
    Workbook book;
    if (bytes.contains('\0') && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        book.error = QStringLiteral("„%1“ није CSV датотека: садржи бинарне податке.").arg(name);
        return book;
    }
    const QString text = decode(bytes);
    Sheet sheet;
    sheet.name = name;
    sheet.rows = split(text, detectDelimiter(text));
    book.sheets << sheet;
    return book;
}

} // namespace CsvReader
