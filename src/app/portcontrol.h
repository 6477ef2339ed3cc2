#pragma once

#include "app/portchoices.h"

#include <QObject>
#include <QString>

class PortComboBox;
class QPushButton;
class SerialLine;

// A port-name combo box and its open/close button over one serial line.
// The combo box offers "COM1".."COM4" and the ports the system reports, asked
// again each time its list opens, and takes a typed device path (applied with
// Enter). A name picked or typed while the port is closed becomes the name in
// force; while the port is open it changes nothing.
// The main window connects the widgets to its handlers, which call here.
class PortControl : public QObject {
    Q_OBJECT
public:
    PortControl(PortComboBox *names, QPushButton *button, SerialLine &line, PortEnumerator enumerator,
                QObject *parent = nullptr);

    SerialLine &line() { return m_line; }

public slots:
    // The button: closes an open port, or opens a closed one; a failure to
    // open shows the port layer's text under "Грешка !!! ".
    void openOrClose();
    // A pick or a typed name: applied only while the port is closed.
    void applyChosenName();
    // Asks the system for its ports again and rebuilds the list, keeping the
    // text shown.
    void refresh();
    // A port found elsewhere (the register search): shown in the field and,
    // while the port is closed, made the name in force.
    void usePort(const QString &device);

signals:
    // The device went away while the port was open; sent before the message
    // so that whatever waits on the port can be abandoned first.
    void lost();
    void message(const QString &title, const QString &text);

private:
    void showCaption(bool open);

    PortComboBox *m_names;
    QPushButton *m_button;
    SerialLine &m_line;
    PortEnumerator m_enumerator;
    QList<PortChoice> m_choices;
};
