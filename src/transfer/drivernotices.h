#pragma once

#include "link/exchangedriver.h"

#include <QObject>
#include <QString>

// What the user is told of the driver's events: the status line, the
// progress bar and the messages. The driver reports what happened; the texts
// are the program's, here.
class DriverNotices : public QObject {
    Q_OBJECT
public:
    explicit DriverNotices(ExchangeDriver &driver, QObject *parent = nullptr);

signals:
    // An empty text clears the status line (the first arrival after a cancel).
    void status(const QString &text);
    void progress(int value);
    void message(const QString &title, const QString &text);
};
