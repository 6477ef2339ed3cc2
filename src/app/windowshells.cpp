#include "app/windowshells.h"

WindowShell::WindowShell(const QString &objectName, const QString &windowClass, const QString &caption,
                         QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setProperty("windowClass", windowClass);
    setWindowTitle(caption);
    setModal(true);
}
