#include "params/tablefiles/tablefile.h"

#include "charset/cp1251.h"
#include "link/fields.h"
#include "params/tablefiles/delimitedfields.h"

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
    QList<QStringList> rows;
    const QStringList lines = DelimitedFields::splitLines(Cp1251::toUnicode(bytes));
    for (const QString &line : lines) {
        if (rows.size() >= m_rowCount)
            break;
        QStringList cells = DelimitedFields::extractAll(line, m_columnsLoaded, separator);
        QString &tax = cells[m_taxColumn];
        if (tax.size() == 1 && tax[0] >= QLatin1Char('0') && tax[0] <= QLatin1Char('8'))
            tax = Fields::taxLabels().at(tax[0].unicode() - '0');
        rows.append(cells);
    }
    return rows;
}
