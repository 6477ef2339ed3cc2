#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QPushButton;
class SerialLine;

// A port-name combo box and its open/close button over one serial line.
// The combo box offers the known port names and takes a typed device path
// (applied with Enter). A name picked or typed while the port is closed
// becomes the name in force; while the port is open it changes nothing.
// The main window connects the widgets to its handlers, which call here.
class PortControl : public QObject {
    Q_OBJECT
public:
    PortControl(QComboBox *names, QPushButton *button, SerialLine &line, QObject *parent = nullptr);

    SerialLine &line() { return m_line; }

public slots:
    // The button: closes an open port, or opens a closed one; a failure to
    // open shows the port layer's text under "Грешка !!! ".
    void openOrClose();
    // A pick or a typed name: applied only while the port is closed.
    void applyChosenName();

signals:
    void message(const QString &title, const QString &text);

private:
    void showCaption(bool open);

    QComboBox *m_names;
    QPushButton *m_button;
    SerialLine &m_line;
};
