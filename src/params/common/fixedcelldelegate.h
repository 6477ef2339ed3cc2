#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Draws the header row and the label column of a text-cell table the way
// the fixed cells of a grid look: button face, button text, never highlighted.
class FixedCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using IsFixed = std::function<bool(const QModelIndex &)>;

    // By default row 0 and column 0 are fixed.
    explicit FixedCellDelegate(QObject *parent = nullptr, IsFixed isFixed = IsFixed());

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    IsFixed m_isFixed;
};
