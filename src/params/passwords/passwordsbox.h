#pragma once

#include <QGroupBox>

class ExchangeButtons;
class PasswordFamily;
class QLineEdit;
class QPushButton;

// The group box GBLozinke: the service and report password fields with their
// labels above them, and the two exchange buttons; the write button becomes
// usable once a password read has been started.
class PasswordsBox : public QGroupBox {
    Q_OBJECT
public:
    PasswordsBox(PasswordFamily &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QLineEdit *serviceField() const { return m_service; }
    QLineEdit *reportField() const { return m_report; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }

private:
    QLineEdit *m_service;
    QLineEdit *m_report;
    QPushButton *m_read;
    QPushButton *m_write;
};
