#pragma once

#include <QStyledItemDelegate>

class QComboBox;

// Draws the entries of a tax-label list (cbATG, CB_OPorez) itself: each label
// centred and bold in its row, so the Cyrillic and Latin letters read alike.
class TaxLabelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Fills `box` with the nine tax labels, draws them with this delegate and
    // selects the first.
    static void setUp(QComboBox *box);
};
