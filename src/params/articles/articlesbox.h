#pragma once

#include "params/articles/articleedits.h"

#include <QGroupBox>
#include <QStyledItemDelegate>
#include <QValidator>

class ArticleFamily;
class ExchangeButtons;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

// In-place editor of the article table: a plain line edit; in the name column
// it takes at most 36 characters.
class ArticleCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};

// A length limit on typing only: unlike QLineEdit::maxLength it never cuts a
// longer text put into the field by the program (a 14-digit barcode cell
// shown in the 13-character barcode field stays whole).
class TypingLimit : public QValidator {
    Q_OBJECT
public:
    TypingLimit(int limit, QObject *parent) : QValidator(parent), m_limit(limit) {}
    int limit() const { return m_limit; }
    State validate(QString &input, int &) const override
    {
        return input.size() <= m_limit ? Acceptable : Invalid;
    }

private:
    int m_limit;
};

// The article group box gbArticles " Артикли : ": the edit controls of the
// selected article, the article table sgArticles and the article buttons.
class ArticlesBox : public QGroupBox {
    Q_OBJECT
public:
    ArticlesBox(ArticleFamily &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    // The current values of the edit controls.
    ArticleEdits edits() const;

private:
    void applyFill(const ArticleEditFill &fill);
    void moveCurrentCell(int row, int column);
    void onRowSelected(const QModelIndex &index);
    // The edit fields take the selected row again after it changed.
    void refillFromCurrentRow();

    ArticleFamily &m_family;
    QTableView *m_table;
    QLineEdit *m_name;
    QLineEdit *m_barcode;
    QComboBox *m_stand;
    QLineEdit *m_price;
    QComboBox *m_tax;
    QLineEdit *m_quantity;
    QComboBox *m_group;
    QPushButton *m_correct;
    QPushButton *m_read;
    QPushButton *m_write;
    bool m_movingCurrent = false;
};
