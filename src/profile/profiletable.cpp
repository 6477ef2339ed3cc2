#include "profile/profiletable.h"

#include "catalogue/familycatalogue.h"
#include "charset/cp1251.h"
#include "core/decimaltext.h"
#include "tablefiles/delimitedfields.h"
#include "tablefiles/tablefile.h"

#include <QHash>

#include <memory>

namespace {

const QString NumberTitle = QStringLiteral("Број");

// Fields of a line: separators outside quotes, plus one.
int countFields(const QString &line, QChar separator)
{
    int count = 1;
    bool inQuotes = false;
    for (QChar c : line) {
        if (c == QLatin1Char('"'))
            inQuotes = !inQuotes;
        else if (c == separator && !inQuotes)
            ++count;
    }
    return count;
}

bool isQuoted(CellKind kind) { return kind == CellKind::Text || kind == CellKind::TaxLabel; }

QString badCell(CellKind kind, const QString &text)
{
    if (isQuoted(kind))
        return QStringLiteral("текст не сме да прелази у нови ред");
    return QStringLiteral("„%1“ није исправан број").arg(text);
}

} // namespace

ProfileTable::ProfileTable(QString fileName, int rowCount, int firstNumber, bool numberInTable, QList<Column> columns,
                           const TableFile *programFile)
    : m_fileName(std::move(fileName)), m_rowCount(rowCount), m_firstNumber(firstNumber),
      m_numberInTable(numberInTable), m_columns(std::move(columns)), m_programFile(programFile)
{
}

const ProfileTable &ProfileTable::headerLines()
{
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Header)->profileFile, 8, 1, false,
                                    {{QStringLiteral("Текст"), CellKind::Text}});
    return table;
}

const ProfileTable &ProfileTable::taxRates()
{
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Taxes)->profileFile, 9, 1, false,
                                    {{QStringLiteral("Порез"), CellKind::Text},
                                     {QStringLiteral("Стопа"), CellKind::Rate}});
    return table;
}

const ProfileTable &ProfileTable::departments()
{
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Departments)->profileFile, 8, 1, true,
                                    {{NumberTitle, CellKind::Whole},
                                     {QStringLiteral("Назив"), CellKind::Text},
                                     {QStringLiteral("Цена"), CellKind::Decimal},
                                     {QStringLiteral("Група"), CellKind::Whole},
                                     {QStringLiteral("Порез"), CellKind::TaxLabel},
                                     {QStringLiteral("Промет"), CellKind::Decimal}},
                                    &TableFile::departments());
    return table;
}

const ProfileTable &ProfileTable::articles()
{
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Articles)->profileFile, 4000, 1, true,
                                    {{NumberTitle, CellKind::Whole},
                                     {QStringLiteral("Назив"), CellKind::Text},
                                     {QStringLiteral("Бар-код"), CellKind::Text},
                                     {QStringLiteral("Одељење"), CellKind::Whole},
                                     {QStringLiteral("Цена"), CellKind::Decimal},
                                     {QStringLiteral("Порез"), CellKind::TaxLabel},
                                     {QStringLiteral("Количина"), CellKind::Decimal},
                                     {QStringLiteral("Група"), CellKind::Whole},
                                     {QStringLiteral("Продато"), CellKind::Decimal},
                                     {QStringLiteral("Промет"), CellKind::Decimal}},
                                    &TableFile::articles());
    return table;
}

const ProfileTable &ProfileTable::groups()
{
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Groups)->profileFile, 13, 0, true,
                                    {{NumberTitle, CellKind::Whole},
                                     {QStringLiteral("Назив"), CellKind::Text},
                                     {QStringLiteral("Приход(%)"), CellKind::Decimal}});
    return table;
}

const ProfileTable &ProfileTable::operators()
{
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Operators)->profileFile, 25, 1, true,
                                    {{NumberTitle, CellKind::Whole},
                                     {QStringLiteral("Име"), CellKind::Text},
                                     {QStringLiteral("Лозинка"), CellKind::Digits}});
    return table;
}

const ProfileTable &ProfileTable::passwords()
{
    // Line 1 the service password, line 2 the report password, each with its
    // caption so that the file reads on its own.
    static const ProfileTable table(FamilyCatalogue::find(FamilyId::Passwords)->profileFile, 2, 1, false,
                                    {{QStringLiteral("Назив"), CellKind::Text},
                                     {QStringLiteral("Лозинка"), CellKind::Digits}});
    return table;
}

const ProfileTable *ProfileTable::of(ProfileFamily family)
{
    switch (family) {
    case ProfileFamily::Header: return &headerLines();
    case ProfileFamily::Taxes: return &taxRates();
    case ProfileFamily::Departments: return &departments();
    case ProfileFamily::Articles: return &articles();
    case ProfileFamily::Groups: return &groups();
    case ProfileFamily::Operators: return &operators();
    case ProfileFamily::Passwords: return &passwords();
    case ProfileFamily::Logo: return nullptr;
    default: break;
    }
    return addedFamily(family);
}

// An added family's records, each a line of its text columns, numbered as
// the family numbers them.
const ProfileTable *ProfileTable::addedFamily(ProfileFamily family)
{
    static QHash<FamilyId, std::shared_ptr<const ProfileTable>> made;
    const FamilyDescription *d = FamilyCatalogue::find(family);
    if (!d || d->profileColumns.isEmpty() || d->recordCount <= 0)
        return nullptr;
    std::shared_ptr<const ProfileTable> &table = made[family];
    if (!table || table->fileName() != d->profileFile) {
        QList<Column> columns;
        for (const QString &title : d->profileColumns)
            columns << Column{title, CellKind::Text};
        table.reset(new ProfileTable(d->profileFile, d->recordCount, d->firstRecordNumber, false, columns));
    }
    return table.get();
}

QString ProfileTable::fieldTitle(int field) const
{
    if (!m_numberInTable) {
        if (field == 0)
            return NumberTitle;
        --field;
    }
    return field < m_columns.size() ? m_columns[field].title : QString();
}

bool ProfileTable::write(const QList<QStringList> &rows, const Regional &regional, QByteArray *bytes,
                         ProfileError *error) const
{
    if (rows.size() != m_rowCount) {
        *error = ProfileError::damaged(m_fileName, 0, QString(),
                                       QStringLiteral("табела има %1 записа, а треба %2").arg(rows.size()).arg(m_rowCount));
        return false;
    }
    QList<QStringList> carried;
    carried.reserve(m_rowCount);
    for (int r = 0; r < m_rowCount; ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c) {
            const QString text = c < rows[r].size() ? rows[r][c] : QString();
            const Column &column = m_columns[c];
            if (m_numberInTable && c == 0) {
                int number = 0;
                if (!DecimalText::tryParseInteger(text, &number) || number != recordNumber(r)) {
                    *error = ProfileError::damaged(m_fileName, r + 1, column.title,
                                                   QStringLiteral("очекује се %1, а пише „%2“").arg(recordNumber(r)).arg(text));
                    return false;
                }
            }
            QString cell;
            if (!ProfileCells::carry(column.kind, text, regional, regional, &cell)) {
                *error = ProfileError::damaged(m_fileName, r + 1, column.title, badCell(column.kind, text));
                return false;
            }
            cells << cell;
        }
        carried << cells;
    }
    if (m_programFile) {
        *bytes = m_programFile->save(carried, regional.list);
        return true;
    }
    QString text;
    for (int r = 0; r < m_rowCount; ++r) {
        QStringList fields;
        if (!m_numberInTable)
            fields << QString::number(recordNumber(r));
        for (int c = 0; c < columnCount(); ++c)
            fields << (isQuoted(m_columns[c].kind) ? DelimitedFields::quoted(carried[r][c]) : carried[r][c]);
        text += fields.join(regional.list);
        text += QStringLiteral("\r\n");
    }
    *bytes = Cp1251::fromUnicode(text);
    return true;
}

bool ProfileTable::read(const QByteArray &bytes, const Regional &from, const Regional &to, QList<QStringList> *rows,
                        ProfileError *error) const
{
    const QStringList lines = DelimitedFields::splitLines(Cp1251::toUnicode(bytes));
    QList<QStringList> result;
    result.reserve(m_rowCount);
    for (int r = 0; r < m_rowCount; ++r) {
        const int lineNumber = r + 1;
        if (r >= lines.size()) {
            *error = ProfileError::damaged(m_fileName, lineNumber, NumberTitle,
                                           QStringLiteral("запис недостаје (датотека има %1 редова, а треба %2)")
                                               .arg(lines.size())
                                               .arg(m_rowCount));
            return false;
        }
        const QString &line = lines[r];
        const int found = countFields(line, from.list);
        if (found < fieldCount()) {
            *error = ProfileError::damaged(m_fileName, lineNumber, fieldTitle(found),
                                           QStringLiteral("ред је кратак: има %1 поља, а треба %2").arg(found).arg(fieldCount()));
            return false;
        }
        const QStringList fields = DelimitedFields::extractAll(line, fieldCount(), from.list);
        int number = 0;
        if (!DecimalText::tryParseInteger(fields[0], &number) || number != recordNumber(r)) {
            *error = ProfileError::damaged(m_fileName, lineNumber, NumberTitle,
                                           QStringLiteral("очекује се %1, а пише „%2“").arg(recordNumber(r)).arg(fields[0]));
            return false;
        }
        QStringList cells;
        const int offset = m_numberInTable ? 0 : 1;
        for (int c = 0; c < columnCount(); ++c) {
            const Column &column = m_columns[c];
            QString text = fields[c + offset];
            if (column.kind == CellKind::TaxLabel)
                text = ProfileCells::taxLabelFromFile(text);
            QString cell;
            if (!ProfileCells::carry(column.kind, text, from, to, &cell)) {
                *error = ProfileError::damaged(m_fileName, lineNumber, column.title, badCell(column.kind, text));
                return false;
            }
            cells << cell;
        }
        if (m_numberInTable)
            cells[0] = QString::number(number);
        result << cells;
    }
    for (int i = m_rowCount; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty()) {
            *error = ProfileError::damaged(m_fileName, i + 1, NumberTitle,
                                           QStringLiteral("сувишан ред: табела има %1 записа").arg(m_rowCount));
            return false;
        }
    }
    *rows = result;
    return true;
}
