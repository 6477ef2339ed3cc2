#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The look of the main window: Arial (Liberation Sans where Arial is not
// installed, same metrics) at 8 points on a desktop whose text is 9 points,
// scaled with the desktop's text size; the data fields and tables in blue
// text on the pale tooltip background, a light blue where the desktop's
// palette makes that background dark.
//
// Group boxes mark their data widgets with the dynamic property "dataLook"
// ("plain" or "bold"); applyDataLook() gives every marked widget under a
// root its look, so the families need not depend on this module.
namespace UiStyle {

// Arial at 8/9 of the desktop font's size.
QFont baseFont();
QFont baseFont(const QFont &desktop);
// Blue that reads on `background`.
QColor dataText(const QColor &background);
void markData(QWidget *widget, bool bold = false);
void applyDataLook(QWidget *root);
// Closer margins and rows than the desktop style gives inside the group
// boxes under `root`, so that the tables keep the height of the window.
void tightenBoxes(QWidget *root);

} // namespace UiStyle
