#pragma once

#include "params/common/changedarea.h"
#include "edit/edithistory.h"
#include "params/common/rowmarks.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <climits>
#include <functional>
#include <vector>

// A table of a fixed number of records, one a row: model row r is record
// r + 1, column 0 shows that number and cannot be written, every other column
// is a text field of the record (Row::columns() names the member each column
// shows). Rows are never inserted, removed or reordered. Rows whose record
// differs from what the register holds carry a mark (the register's values
// as text) that colours the row header and the number cell. The table keeps
// its own undo history.
template <typename Row>
class RecordTableModel : public QAbstractTableModel, public EditableTable {
public:
    static constexpr int Number = 0;

    EditHistory &history() { return m_history; }

    int editRows() const override { return rowCount(); }
    int editColumns() const override { return columnCount(); }
    QString editText(int row, int column) const override { return cell(row, column); }
    bool typable(int row, int column) const override
    {
        return m_editable && column > Number && column < columnCount() && row >= 0 && row < rowCount();
    }
    QString startText(int row, int column) const override
    {
        return row >= 0 && row < rowCount() ? field(m_defaults(row + 1), column) : QString();
    }
    QString columnHeading(int column) const override { return m_headers.value(column); }
    void writeCells(const std::vector<CellWrite> &cells) override
    {
        const ChangedArea area = writeDiffering(cells, [this](int row, int column) -> QString * {
            if (row < 0 || row >= rowCount() || column <= Number || column >= columnCount())
                return nullptr;
            return &(m_records[std::size_t(row)].*member(column));
        });
        if (!area.isEmpty())
            emit dataChanged(area.topLeft(*this), area.bottomRight(*this), {Qt::DisplayRole, Qt::EditRole});
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_records.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_headers.size());
    }
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override
    {
        if (index.isValid() && index.column() == Number && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
            return m_marks.data(index.row(), role);
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return QVariant();
        return cell(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (orientation == Qt::Vertical && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
            return m_marks.data(section, role);
        if (role != Qt::DisplayRole)
            return QVariant();
        if (orientation == Qt::Horizontal)
            return section >= 0 && section < columnCount() ? QVariant(m_headers.at(section)) : QVariant();
        return section >= 0 && section < rowCount() ? QVariant(section + 1) : QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        const Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return m_editable && index.column() != Number ? f | Qt::ItemIsEditable : f;
    }

    // A row or column outside the table reads empty and ignores writes.
    QString cell(int row, int column) const
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return QString();
        return column == Number ? QString::number(row + 1) : field(m_records[std::size_t(row)], column);
    }
    void setCell(int row, int column, const QString &text)
    {
        if (row < 0 || row >= rowCount() || column <= Number || column >= columnCount()
            || field(m_records[std::size_t(row)], column) == text)
            return;
        setField(m_records[std::size_t(row)], column, text);
        const QModelIndex i = index(row, column);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    }
    const Row &row(int row) const { return m_records.at(std::size_t(row)); }
    // Replaces a whole record with one change notification for that row only.
    void setRow(int row, const Row &values)
    {
        if (row < 0 || row >= rowCount() || m_records[std::size_t(row)] == values)
            return;
        m_records[std::size_t(row)] = values;
        emit dataChanged(index(row, Number + 1), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
    }
    // Replaces many records in one call with one change notification over
    // the rows that changed (an import): the views, the row marks and the
    // table's state follow as after any edit.
    void replaceRows(const QHash<int, Row> &rows)
    {
        int first = INT_MAX;
        int last = -1;
        for (auto r = rows.constBegin(); r != rows.constEnd(); ++r) {
            if (r.key() < 0 || r.key() >= rowCount() || m_records[std::size_t(r.key())] == r.value())
                continue;
            m_records[std::size_t(r.key())] = r.value();
            first = qMin(first, r.key());
            last = qMax(last, r.key());
        }
        if (last >= 0)
            emit dataChanged(index(first, Number + 1), index(last, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
    }
    // Every record back to its start-up texts.
    void resetToDefaults()
    {
        beginResetModel();
        fillDefaults();
        endResetModel();
    }

    // Replaces all marks at once, with one notification for the changed span.
    void setRowMarks(const QHash<int, QString> &marks)
    {
        int first = 0;
        int last = 0;
        if (!m_marks.replace(marks, &first, &last))
            return;
        emit headerDataChanged(Qt::Vertical, first, last);
        emit dataChanged(index(first, Number), index(last, Number), {Qt::BackgroundRole, Qt::ToolTipRole});
    }
    const QHash<int, QString> &rowMarks() const { return m_marks.marks(); }

    // Field `column` of a record: empty (and not written) for the number
    // column or outside the table.
    static QString field(const Row &row, int column)
    {
        const auto m = member(column);
        return m ? row.*m : QString();
    }
    static void setField(Row &row, int column, const QString &text)
    {
        if (const auto m = member(column))
            row.*m = text;
    }

protected:
    // `defaults` gives the start-up record of a record number (1..rows);
    // `editable`: the record cells may be typed in place.
    RecordTableModel(int rows, const QStringList &headers, bool editable, std::function<Row(int)> defaults,
                     QObject *parent)
        : QAbstractTableModel(parent), m_headers(headers), m_editable(editable), m_defaults(std::move(defaults)),
          m_records(std::size_t(rows))
    {
        fillDefaults();
    }

private:
    static QString Row::*member(int column)
    {
        const auto &columns = Row::columns();
        return column > Number && column < int(columns.size()) ? columns[std::size_t(column)] : nullptr;
    }
    void fillDefaults()
    {
        for (std::size_t r = 0; r < m_records.size(); ++r)
            m_records[r] = m_defaults(int(r) + 1);
    }

    QStringList m_headers;
    bool m_editable;
    std::function<Row(int)> m_defaults;
    std::vector<Row> m_records;
    RowMarks m_marks;
    EditHistory m_history{*this};
};
