#include "app/uistyle.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
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

void tightenBoxes(QWidget *root)
{
    constexpr int Margin = 4; // at the sides, and between the rows of a box
    constexpr int Edge = 2;   // above and below: the title and the frame keep a box apart
    constexpr int Rows = 2;   // between a label and its field
    for (QGroupBox *box : root->findChildren<QGroupBox *>()) {
        QLayout *top = box->layout();
        if (!top)
            continue;
        top->setContentsMargins(Margin, Edge, Margin, Edge);
        QList<QLayout *> layouts = top->findChildren<QLayout *>();
        layouts << top;
        for (QLayout *layout : layouts) {
            if (auto *grid = qobject_cast<QGridLayout *>(layout))
                grid->setVerticalSpacing(qMin(Rows, qMax(0, grid->verticalSpacing())));
            else if (auto *column = qobject_cast<QBoxLayout *>(layout);
                     column && (column->direction() == QBoxLayout::TopToBottom
                                || column->direction() == QBoxLayout::BottomToTop))
                column->setSpacing(qMin(Margin, qMax(0, column->spacing())));
        }
    }
}

void applyDataLook(QWidget *root)
{
    applyTo(root);
    for (QWidget *w : root->findChildren<QWidget *>())
        applyTo(w);
}

} // namespace UiStyle
