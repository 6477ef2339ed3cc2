#include "app/uistyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace UiStyle {

namespace {
// The window was drawn in Arial 8 for a desktop whose text is 9 points.
constexpr double DrawnPoints = 8.0;
constexpr double DrawnDesktopPoints = 9.0;
} // namespace

QFont baseFont() { return baseFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont)); }

QFont baseFont(const QFont &desktop)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    const double desktopPoints = desktop.pointSizeF() > 0 ? desktop.pointSizeF() : DrawnDesktopPoints;
    // Whole or half points keep the text crisp.
    font.setPointSizeF(qRound(desktopPoints * DrawnPoints / DrawnDesktopPoints * 2) / 2.0);
    return font;
}

QColor dataText(const QColor &background)
{
    return background.lightnessF() < 0.5 ? QColor(0x8a, 0xb4, 0xff) : QColor(Qt::blue);
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
    p.setColor(QPalette::Text, dataText(background));
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
