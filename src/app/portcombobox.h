#pragma once

#include <QComboBox>

// A combo box that says when its list is about to open, so that the list can
// be brought up to date first (a USB adapter plugged in after start-up).
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortComboBox(QWidget *parent = nullptr);

    void showPopup() override;

signals:
    void aboutToShowPopup();
};
