#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;

// The buttons that start a register exchange. A button is enabled when the
// register port is open, it is allowed (the read buttons and a few writes are
// allowed as soon as the port opens; the other writes once a read of their
// family has started) and no transfer is running.
class ExchangeButtons : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void add(QAbstractButton *button, bool allowedWhenPortOpens);
    // A read has started: its family's write button may be used from now on.
    void allow(QAbstractButton *button);

    void setPortOpen(bool open);
    void setBusy(bool busy);
    bool isPortOpen() const { return m_portOpen; }
    bool isBusy() const { return m_busy; }
    int count() const { return int(m_entries.size()); }

private:
    struct Entry {
        QPointer<QAbstractButton> button;
        bool allowedWhenPortOpens;
        bool allowed;
    };
    void apply();

    QList<Entry> m_entries;
    bool m_portOpen = false;
    bool m_busy = false;
};
