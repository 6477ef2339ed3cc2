#pragma once

#include "params/common/celltext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QList>
#include <QPair>
#include <QPushButton>

// Group boxes build their controls under the object names the rest of the
// program (and its tests) look them up by.
template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    return named(new QLabel(text, parent), name);
}

inline QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    return named(new QPushButton(text, parent), name);
}

// A combo box of the group numbers, group 0 chosen.
inline QComboBox *groupCombo(const char *name, QWidget *parent)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->addItems(CellText::groupNumbers());
    combo->setCurrentIndex(0);
    return combo;
}

// The edit controls above a table: each field under its caption (the
// caption's buddy, so its mnemonic reaches the field) and the correction
// button at the end of the fields. The first field takes the spare width.
inline QGridLayout *editRow(const QList<QPair<QLabel *, QWidget *>> &columns, QPushButton *correct)
{
    auto *row = new QGridLayout;
    for (int c = 0; c < columns.size(); ++c) {
        columns[c].first->setBuddy(columns[c].second);
        row->addWidget(columns[c].first, 0, c);
        row->addWidget(columns[c].second, 1, c);
    }
    row->addWidget(correct, 1, int(columns.size()));
    row->setColumnStretch(0, 1);
    return row;
}
