#pragma once

#include <QWidget>

class Lamp;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The bottom of the main window: the receive and transmit lamps with their
// 500 ms timers, the article record counter, the cancel button, the status
// line and the progress bar.
class Footer : public QWidget {
    Q_OBJECT
public:
    explicit Footer(QWidget *parent = nullptr);

    Lamp *receiveLamp() const { return m_ledRec; }
    Lamp *transmitLamp() const { return m_ledTrans; }
    QLabel *statusLine() const { return m_status; }
    QProgressBar *progressBar() const { return m_bar; }
    QPushButton *cancelButton() const { return m_cancel; }
    QLabel *counter() const { return m_counter; }

public slots:
    void lightTransmit();
    void lightReceive();
    void setStatus(const QString &text);
    void setProgress(int value);
    void setCancelVisible(bool visible);
    // Start-up state: lamps off, empty status and counter, bar at 0, cancel
    // button "Прекини" and visible.
    void reset();

signals:
    void cancelClicked();

private:
    Lamp *m_ledRec;
    Lamp *m_ledTrans;
    QTimer *m_recTimer;
    QTimer *m_transTimer;
    QLabel *m_counter;
    QPushButton *m_cancel;
    QLabel *m_status;
    QProgressBar *m_bar;
};
