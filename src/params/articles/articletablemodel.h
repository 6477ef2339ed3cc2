#pragma once

#include "params/common/recordtablemodel.h"

#include <QString>
#include <QStringList>
#include <array>

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

    // The member each table column shows, in ArticleTableModel::Column order.
    static const std::array<QString ArticleRow::*, 10> &columns();
    bool operator==(const ArticleRow &o) const;
    bool operator!=(const ArticleRow &o) const { return !(*this == o); }
};

// Tax cell typed in place: the first character decides the label.
namespace ArticleTax {
QString normalise(const QString &typed);
}

// The article table (sgArticles): 4000 articles, ten text columns. Model row r
// is article number r + 1 and article index r on the wire. Column 0 is the
// article number; the header row is the model's header.
class ArticleTableModel : public RecordTableModel<ArticleRow> {
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

    // Typing in place: the name is held to 36 characters and the tax cell is
    // normalised; the other columns take the text as typed. Texts put in by
    // the program (setCell, setRow) are kept whole.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // Those typing rules, also for pasted and filled cells.
    QString typedText(int column, const QString &text) const override;
};
