#pragma once

#include <QGroupBox>

class ExchangeButtons;
class LogoFamily;
class QCheckBox;
class QLabel;
class QPushButton;

// The group box GBLogo: the logo image sized to its picture, the button that
// loads a picture file, the two exchange buttons (both usable as soon as the
// port opens) and the hidden "print the logo" check box.
class LogoBox : public QGroupBox {
    Q_OBJECT
public:
    LogoBox(LogoFamily &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QLabel *image() const { return m_image; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }

    // The file types the open-picture dialog offers.
    static QString pictureFilter();

public slots:
    void btnLogoOpenClick();

private:
    void showPicture();

    LogoFamily &m_family;
    QLabel *m_image;
    QPushButton *m_open;
    QPushButton *m_read;
    QPushButton *m_write;
    QCheckBox *m_print;
};
