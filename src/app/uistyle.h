#pragma once

#include <QFont>

class QWidget;

// The look of the main window: Arial 8 point (Liberation Sans where Arial
// is not installed, same metrics), and the data fields and tables in blue
// text on the pale tooltip background.
//
// Group boxes mark their data widgets with the dynamic property "dataLook"
// ("plain" or "bold"); applyDataLook() gives every marked widget under a
// root its look, so the families need not depend on this module.
namespace UiStyle {

QFont baseFont();
void markData(QWidget *widget, bool bold = false);
void applyDataLook(QWidget *root);

} // namespace UiStyle
