#include "app/portcombobox.h"

#include <QAbstractItemView>
#include <QLineEdit>

PortComboBox::PortComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Wide enough for /dev/ttyUSB0 and the start of a /dev/serial/by-id link;
    // the tooltip carries the whole of a longer one.
    setMinimumContentsLength(24);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        const int index = findText(text);
        const QString tip = index >= 0 ? itemData(index, Qt::ToolTipRole).toString() : QString();
        setToolTip(tip.isEmpty() ? text : tip);
    });
}

void PortComboBox::showPopup()
{
    emit aboutToShowPopup();
    // The list is as wide as its longest entry, even where the field is not.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    QComboBox::showPopup();
}
