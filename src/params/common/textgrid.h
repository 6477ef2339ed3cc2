#pragma once

#include "edit/edithistory.h"
#include "params/common/rowmarks.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

// A string grid as a table model: every cell is text, row 0 (the headings)
// and column 0 (the record numbers) are fixed, every other cell can be edited.
// The grid keeps its own undo history.
class TextGrid : public QAbstractTableModel, public EditableTable {
    Q_OBJECT
public:
    TextGrid(int columns, int rows, QObject *parent = nullptr);

    EditHistory &history() { return m_history; }
    // The cells as they are now are the start-up texts Delete puts back
    // (the family's constructor calls it once the grid is filled).
    void keepStartTexts() { m_start = m_cells; }

    int editRows() const override { return m_rows; }
    int editColumns() const override { return m_columns; }
    QString editText(int row, int column) const override { return cell(column, row); }
    bool typable(int row, int column) const override { return inside(column, row) && !isFixed(column, row); }
    QString startText(int row, int column) const override;
    QString columnHeading(int column) const override { return cell(column, 0); }
    void writeCells(const std::vector<CellWrite> &cells) override;

    // Cells outside the grid read as empty and ignore writes.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    // Writes cells [firstColumn, firstColumn + texts.size()) of one row and
    // reports them in one change.
    void setCells(int row, int firstColumn, const QStringList &texts);
    // A record's cell where row r + 1 holds record r.
    QString recordCell(int record, int column) const { return cell(column, record + 1); }
    void setRecordCell(int record, int column, const QString &text) { setCell(column, record + 1, text); }

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Rows whose record differs from the register (model rows), with the
    // register's values: the row header and number cell are coloured.
    void setRowMarks(const QHash<int, QString> &marks);
    const QHash<int, QString> &rowMarks() const { return m_marks.marks(); }
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static bool isFixed(int column, int row) { return column == 0 || row == 0; }

private:
    bool inside(int column, int row) const
    {
        return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
    }

    int m_columns;
    int m_rows;
    QVector<QString> m_cells;
    QVector<QString> m_start;
    RowMarks m_marks;
    EditHistory m_history{*this};
};
