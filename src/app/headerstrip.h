#pragma once

#include <QWidget>

class PortComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The top of the main window: the title line, the serial-number field, the
// end-of-dialogue button, the register and scanner port selectors with their
// open/close buttons, and the exit button.
class HeaderStrip : public QWidget {
    Q_OBJECT
public:
    explicit HeaderStrip(QWidget *parent = nullptr);

    QLineEdit *serialNumber() const { return m_serial; }
    QPushButton *endDialogueButton() const { return m_endDialogue; }
    PortComboBox *registerPortNames() const { return m_registerPort; }
    QPushButton *registerPortButton() const { return m_registerButton; }
    QPushButton *findRegisterButton() const { return m_findRegister; }
    QPushButton *traceButton() const { return m_traceButton; }
    PortComboBox *scannerPortNames() const { return m_scannerPort; }
    QPushButton *scannerPortButton() const { return m_scannerButton; }
    QPushButton *closeButton() const { return m_close; }

private:
    QLabel *m_title;
    QLineEdit *m_serial;
    QPushButton *m_endDialogue;
    PortComboBox *m_registerPort;
    QPushButton *m_registerButton;
    QPushButton *m_findRegister;
    QPushButton *m_traceButton;
    PortComboBox *m_scannerPort;
    QPushButton *m_scannerButton;
    QPushButton *m_close;
};
