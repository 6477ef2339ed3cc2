#pragma once

#include <QStyledItemDelegate>

// Draws the bytes column of the trace. A frame's hex runs far past the
// column, and the style would lay out the whole text only to cut it with an
// ellipsis; the delegate hands it just the characters that can show and a
// few more, so the cell looks the same at a fraction of the cost of a
// repaint while a transfer scrolls the trace.
class HexCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The characters of upper-case hex bytes (or hidden bytes "••")
    // separated by blanks that can never fill `width` pixels in `metrics`,
    // whatever the bytes.
    static int charactersThatFit(const QFontMetrics &metrics, int width);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
