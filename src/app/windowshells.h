#pragma once

#include <QDialog>

// The windows of later parts of the program (article search, article list
// report, terminal), created at start-up so that each exists once for the
// whole run. For now they are empty modal windows.
class WindowShell : public QDialog {
    Q_OBJECT
public:
    // objectName is the form's name, windowClass its class (TfrmTrazi, ...).
    WindowShell(const QString &objectName, const QString &windowClass, const QString &caption,
                QWidget *parent = nullptr);
    QString windowClass() const { return property("windowClass").toString(); }
};
