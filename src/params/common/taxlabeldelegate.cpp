#include "params/common/taxlabeldelegate.h"

#include "protocol/fields.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPainter>

void TaxLabelDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString label = opt.text;
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget); // background and focus only

    painter->save();
    QFont font = opt.font;
    font.setBold(true);
    painter->setFont(font);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(opt.rect, Qt::AlignCenter, label);
    painter->restore();
}

QSize TaxLabelDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setWidth(qMax(s.width(), option.fontMetrics.horizontalAdvance(QStringLiteral("WW")) + 8));
    return s;
}

void TaxLabelDelegate::setUp(QComboBox *box)
{
    box->clear();
    box->addItems(Fields::taxLabels());
    box->setItemDelegate(new TaxLabelDelegate(box));
    box->setCurrentIndex(0);
}
