#include "params/common/fixedcelldelegate.h"

FixedCellDelegate::FixedCellDelegate(QObject *parent, IsFixed isFixed)
    : QStyledItemDelegate(parent), m_isFixed(std::move(isFixed))
{
    if (!m_isFixed)
        m_isFixed = [](const QModelIndex &index) { return index.row() == 0 || index.column() == 0; };
}

void FixedCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!m_isFixed(index))
        return;
    option->backgroundBrush = option->palette.button();
    option->palette.setColor(QPalette::Text, option->palette.color(QPalette::ButtonText));
    option->palette.setColor(QPalette::HighlightedText, option->palette.color(QPalette::ButtonText));
    option->palette.setBrush(QPalette::Highlight, option->palette.button());
    option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}
