#include "app/uistyle.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace UiStyle {

QFont baseFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void markData(QWidget *widget, bool bold)
{
    widget->setProperty("dataLook", bold ? QStringLiteral("bold") : QStringLiteral("plain"));
}

namespace {
void applyTo(QWidget *w)
{
    const QString look = w->property("dataLook").toString();
    if (look.isEmpty())
        return;
    QPalette p = w->palette();
    const QColor background = QApplication::palette().color(QPalette::ToolTipBase);
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, Qt::blue);
    w->setPalette(p);
    QFont f = w->font();
    f.setBold(look == QLatin1String("bold"));
    w->setFont(f);
}
} // namespace

void applyDataLook(QWidget *root)
{
    applyTo(root);
    for (QWidget *w : root->findChildren<QWidget *>())
        applyTo(w);
}

} // namespace UiStyle
