#pragma once

#include <QGroupBox>
#include <array>

class ExchangeButtons;
class HeaderLineFamily;
class QLineEdit;
class QPushButton;

// The group box GBKlishe: the eight header-line fields and the two
// exchange buttons of the family.
class HeaderLinesBox : public QGroupBox {
    Q_OBJECT
public:
    HeaderLinesBox(HeaderLineFamily &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QLineEdit *field(int index) const { return m_fields[index]; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }

private:
    std::array<QLineEdit *, 8> m_fields{};
    QPushButton *m_read;
    QPushButton *m_write;
};
