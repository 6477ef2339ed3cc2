#include "tablefiles/tablefile.h"

#include "charset/cp1251.h"
#include "protocol/fields.h"
#include "tablefiles/delimitedfields.h"
#include "tablefiles/linefieldscanner.h"

#include <cstdint>

TableFile::TableFile(QString prefix, int rowCount, QList<Quoting> fields, bool trailingSeparator, int columnsLoaded,
                     int taxColumn)
    : m_prefix(std::move(prefix)), m_rowCount(rowCount), m_fields(std::move(fields)),
      m_trailingSeparator(trailingSeparator), m_columnsLoaded(columnsLoaded), m_taxColumn(taxColumn)
{
}

const TableFile &TableFile::articles()
{
    using Q = Quoting;
    static const TableFile file(QStringLiteral("ART_"), 4000,
                                {Q::Bare, Q::Quoted, Q::Quoted, Q::Bare, Q::Bare, Q::Enclosed, Q::Bare, Q::Bare,
                                 Q::Bare, Q::Bare},
                                true, 8, 5);
    return file;
}

const TableFile &TableFile::departments()
{
    using Q = Quoting;
    static const TableFile file(QStringLiteral("OD_"), 8, {Q::Bare, Q::Quoted, Q::Bare, Q::Bare, Q::Enclosed, Q::Bare},
                                false, 5, 4);
    return file;
}

QString TableFile::filterText()
{
    return QStringLiteral("CSV fajlovi (*.csv)|*.csv|Svi fajlovi (*.*)|*.*|IV fajlovi (*.iv)|*.iv");
}

QString TableFile::qtFilter()
{
    return QStringLiteral("CSV fajlovi (*.csv);;Svi fajlovi (*.*);;IV fajlovi (*.iv)");
}

QByteArray TableFile::save(const QList<QStringList> &rows, QChar separator) const
{
    QString text;
    text.reserve(rows.size() * 64);
    for (const QStringList &row : rows) {
        for (int f = 0; f < m_fields.size(); ++f) {
            if (f > 0)
                text += separator;
            const QString cell = f < row.size() ? row[f] : QString();
            switch (m_fields[f]) {
            case Quoting::Bare: text += cell; break;
            case Quoting::Quoted: text += DelimitedFields::quoted(cell); break;
            case Quoting::Enclosed: text += DelimitedFields::enclosed(cell); break;
            }
        }
        if (m_trailingSeparator)
            text += separator;
        text += QStringLiteral("\r\n");
    }
    return Cp1251::fromUnicode(text);
}

QList<QStringList> TableFile::load(const QByteArray &bytes, QChar separator) const
{
    return read(bytes, separator).rows;
}

TableFileContent TableFile::read(const QByteArray &bytes, QChar separator) const
{
    Reader reader(*this, separator);
    reader.feed(bytes.constData(), bytes.size());
    return reader.finish();
}

namespace {

// The separator's byte in the file, or -1 when code page 1251 has no such
// character (then no byte of the file can be it).
int separatorByte(QChar separator)
{
    const QByteArray encoded = Cp1251::fromUnicode(QString(separator));
    if (encoded.size() != 1 || Cp1251::toUnicode(encoded) != QString(separator))
        return -1;
    return std::uint8_t(encoded.at(0));
}

// Enough raw bytes for CellLimit characters even when each is a doubled quote.
constexpr int RawCap = 2 * TableFile::CellLimit + 2;

bool isRowNumber(const QString &field)
{
    const QString t = field.trimmed();
    if (t.isEmpty() || t.size() > 5)
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString printable(const QByteArray &start)
{
    QString text = Cp1251::toUnicode(start);
    for (QChar &c : text)
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    return text;
}

} // namespace

TableFile::Reader::Reader(const TableFile &kind, QChar separator)
    : m_kind(kind),
      m_scanner(std::make_unique<LineFieldScanner>(separatorByte(separator), kind.m_columnsLoaded, RawCap,
                                                   [this](const LineFieldScanner::Line &line) {
                                                       take(line.number, line.raw, line.fieldCount, line.hasNul,
                                                            line.start);
                                                   }))
{
}

TableFile::Reader::~Reader() = default;

void TableFile::Reader::feed(const char *data, qsizetype size) { m_scanner->feed(data, size); }

void TableFile::Reader::take(int number, const QList<QByteArray> &raw, int fieldCount, bool hasNul,
                             const QByteArray &start)
{
    if (hasNul && m_content.problem == TableFileContent::Problem::None) {
        m_content.problem = TableFileContent::Problem::NulByte;
        m_content.badLine = number;
        m_content.badLineStart = printable(start);
    }
    if (m_content.rows.size() >= m_kind.m_rowCount) {
        m_scanner->keepNothing();
        return;
    }
    QStringList cells;
    cells.reserve(raw.size());
    for (const QByteArray &field : raw) {
        QString cell = DelimitedFields::unquote(Cp1251::toUnicode(field));
        if (cell.size() > CellLimit) {
            cell.truncate(CellLimit);
            ++m_content.cutCells;
        }
        cells.append(cell);
    }
    const int allFields = int(m_kind.m_fields.size()) + (m_kind.m_trailingSeparator ? 1 : 0);
    if (fieldCount >= m_kind.m_columnsLoaded && fieldCount <= allFields && isRowNumber(cells[0])) {
        m_anyOfKind = true;
    } else if (m_firstNotOfKind == 0) {
        m_firstNotOfKind = number;
        m_firstNotOfKindStart = printable(start);
    }
    QString &tax = cells[m_kind.m_taxColumn];
    if (tax.size() == 1 && tax[0] >= QLatin1Char('0') && tax[0] <= QLatin1Char('8'))
        tax = Fields::taxLabels().at(tax[0].unicode() - '0');
    m_content.rows.append(cells);
}

TableFileContent TableFile::Reader::finish()
{
    m_scanner->finish();
    if (m_content.problem == TableFileContent::Problem::None && !m_anyOfKind) {
        m_content.problem = TableFileContent::Problem::NoLineOfItsKind;
        m_content.badLine = m_firstNotOfKind == 0 ? 1 : m_firstNotOfKind;
        m_content.badLineStart = m_firstNotOfKindStart;
    }
    return m_content;
}
