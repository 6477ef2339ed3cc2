#pragma once

#include <QLabel>
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
