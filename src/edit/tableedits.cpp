#include "edit/tableedits.h"

namespace TableEdits {
namespace {

// Serbian number agreement: the form after 1 (21, 31...), after 2 to 4 and
// after the rest (the teens included).
QString counted(int n, const QString &one, const QString &few, const QString &many)
{
    const int lastTwo = n % 100;
    const int last = n % 10;
    const QString &form = (last == 1 && lastTwo != 11) ? one
                          : (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) ? few
                                                                                         : many;
    return QString::number(n) + QLatin1Char(' ') + form;
}

void writeIfChanged(const EditableTable &table, int row, int column, const QString &text,
                    std::vector<CellWrite> *writes)
{
    if (table.editText(row, column) != text)
        writes->push_back(CellWrite{row, column, text});
}

QString blockCell(const ClipboardText::Block &block, int row, int column)
{
    const QStringList &cells = block.at(row);
    return column < cells.size() ? cells.at(column) : QString();
}

} // namespace

Paste paste(const EditableTable &table, const CellSelection &selection, const ClipboardText::Block &block)
{
    Paste result;
    const int blockRows = int(block.size());
    const int blockColumns = ClipboardText::width(block);
    if (!blockRows || !blockColumns)
        return result;
    const int rows = table.editRows();
    const int columns = table.editColumns();
    const auto put = [&](int row, int column, const QString &given) {
        if (!table.typable(row, column))
            return;
        const QString stored = table.typedText(column, given);
        if (stored != given)
            result.adjusted.push_back(Adjusted{row, column, given, stored});
        writeIfChanged(table, row, column, stored, &result.writes);
    };

    if (blockRows == 1 && blockColumns == 1 && selection.cells() > 1) {
        const QString value = block.front().value(0);
        for (const CellRect &r : selection.rects)
            for (int row = qMax(0, r.top); row <= qMin(rows - 1, r.bottom); ++row)
                for (int column = qMax(0, r.left); column <= qMin(columns - 1, r.right); ++column)
                    put(row, column, value);
        return result;
    }

    int top = selection.currentRow;
    int left = selection.currentColumn;
    int timesDown = 1;
    int timesAcross = 1;
    if (selection.rects.size() == 1 && selection.rects.front().cells() > 1) {
        const CellRect &r = selection.rects.front();
        top = r.top;
        left = r.left;
        timesDown = qMax(1, r.rows() / blockRows);
        timesAcross = qMax(1, r.columns() / blockColumns);
    }
    const int spanRows = blockRows * timesDown;
    const int spanColumns = blockColumns * timesAcross;
    result.leftOutRows = qMax(0, top + spanRows - rows);
    result.leftOutColumns = qMax(0, left + spanColumns - columns);
    for (int i = 0; i < spanRows && top + i < rows; ++i)
        for (int j = 0; j < spanColumns && left + j < columns; ++j)
            if (top + i >= 0 && left + j >= 0)
                put(top + i, left + j, blockCell(block, i % blockRows, j % blockColumns));
    return result;
}

std::vector<CellWrite> fillDown(const EditableTable &table, const CellSelection &selection)
{
    std::vector<CellWrite> writes;
    for (const CellRect &r : selection.rects)
        for (int column = r.left; column <= r.right; ++column) {
            const QString top = table.typedText(column, table.editText(r.top, column));
            for (int row = r.top + 1; row <= r.bottom; ++row)
                if (table.typable(row, column))
                    writeIfChanged(table, row, column, top, &writes);
        }
    return writes;
}

std::vector<CellWrite> clear(const EditableTable &table, const CellSelection &selection)
{
    std::vector<CellWrite> writes;
    for (const CellRect &r : selection.rects)
        for (int row = r.top; row <= r.bottom; ++row)
            for (int column = r.left; column <= r.right; ++column)
                if (table.typable(row, column))
                    writeIfChanged(table, row, column, table.startText(row, column), &writes);
    return writes;
}

ClipboardText::Block copy(const EditableTable &table, const CellSelection &selection, bool withHeadings)
{
    const CellRect b = selection.bounds();
    const bool single = selection.rects.size() <= 1;
    ClipboardText::Block block;
    if (withHeadings) {
        QStringList headings;
        for (int column = b.left; column <= b.right; ++column)
            headings << table.columnHeading(column);
        block << headings;
    }
    for (int row = b.top; row <= b.bottom; ++row) {
        QStringList cells;
        for (int column = b.left; column <= b.right; ++column)
            cells << ((single || selection.contains(row, column)) ? table.editText(row, column) : QString());
        block << cells;
    }
    return block;
}

QString cellCount(int count)
{
    return counted(count, QStringLiteral("ћелије"), QStringLiteral("ћелије"), QStringLiteral("ћелија"));
}

QString pasteStepName(int cells) { return QStringLiteral("лепљење ") + cellCount(cells); }
QString fillStepName(int cells) { return QStringLiteral("попуњавање ") + cellCount(cells); }
QString clearStepName(int cells) { return QStringLiteral("брисање ") + cellCount(cells); }

QString leftOutText(const Paste &paste)
{
    QStringList parts;
    if (paste.leftOutRows)
        parts << counted(paste.leftOutRows, QStringLiteral("ред"), QStringLiteral("реда"), QStringLiteral("редова"));
    if (paste.leftOutColumns)
        parts << counted(paste.leftOutColumns, QStringLiteral("колона"), QStringLiteral("колоне"),
                         QStringLiteral("колона"));
    if (parts.isEmpty())
        return QString();
    return QStringLiteral("Изван табеле, није налепљено: ") + parts.join(QStringLiteral(" и "));
}

QString adjustedText(const EditableTable &table, const std::vector<Adjusted> &adjusted)
{
    if (adjusted.empty())
        return QString();
    constexpr std::size_t Shown = 20;
    QStringList lines;
    lines << QStringLiteral("Ћелије које су по правилима колоне уписане другачије:");
    for (std::size_t i = 0; i < adjusted.size() && i < Shown; ++i) {
        const Adjusted &a = adjusted[i];
        lines << QStringLiteral("ред %1, %2: „%3“ → „%4“")
                     .arg(table.editText(a.row, 0), table.columnHeading(a.column), a.given, a.stored);
    }
    if (adjusted.size() > Shown)
        lines << QStringLiteral("и још %1").arg(adjusted.size() - Shown);
    return lines.join(QLatin1Char('\n'));
}

} // namespace TableEdits
