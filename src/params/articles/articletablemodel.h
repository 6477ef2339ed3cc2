#pragma once

#include <QAbstractTableModel>
#include "params/common/rowmarks.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// One article as the table holds it: every field is text.
struct ArticleRow {
    QString name;
    QString barcode = QStringLiteral("00000000000000");
    QString department = QStringLiteral("1");
    QString price = QStringLiteral("0");
    QString tax = QStringLiteral("А");
    QString quantity = QStringLiteral("0");
    QString group = QStringLiteral("0");
    QString sold = QStringLiteral("0");
    QString turnover = QStringLiteral("0");

    bool operator==(const ArticleRow &o) const;
    bool operator!=(const ArticleRow &o) const { return !(*this == o); }
};

// Tax cell typed in place: the first character decides the label.
namespace ArticleTax {
QString normalise(const QString &typed);
}

// The article table (sgArticles): 4000 articles, ten text columns. Model row r
// is article number r + 1 and article index r on the wire. Column 0 is the
// article number; the header row is the model's header. Rows are never
// inserted, removed or reordered.
class ArticleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number = 0,
        Name = 1,
        Barcode = 2,
        Department = 3,
        Price = 4,
        Tax = 5,
        Quantity = 6,
        Group = 7,
        Sold = 8,
        Turnover = 9,
        ColumnCount = 10,
    };
    static constexpr int RowCount = 4000;
    static constexpr int NameLength = 36;

    explicit ArticleTableModel(QObject *parent = nullptr);

    static const QStringList &headers();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Typing in place: the name is held to 36 characters and the tax cell is
    // normalised; the other columns take the text as typed.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Cell access for the other article features. Column 0 reads the number
    // and cannot be written; a row or column outside the table reads empty.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    const ArticleRow &row(int row) const { return m_rows.at(std::size_t(row)); }
    // Replaces a whole row with one change notification for that row only.
    void setRow(int row, const ArticleRow &values);
    // Every row back to its initial texts.
    void resetToDefaults();

    // Rows whose record differs from what the register holds, with the
    // register's values as text: the row header (and the number cell) is
    // coloured and tells them. Replaces all marks at once.
    void setRowMarks(const QHash<int, QString> &marks);
    const QHash<int, QString> &rowMarks() const { return m_marks.marks(); }

    static QString field(const ArticleRow &row, int column);
    static void setField(ArticleRow &row, int column, const QString &text);

private:
    std::vector<ArticleRow> m_rows;
    RowMarks m_marks;
};
