#pragma once

#include "barcode/scancollector.h"

#include <QObject>

class SerialLine;

// The barcode reader on the scanner port (BCComPort): collects what the
// scanner sends and tells each complete code. Where a code goes (the article
// barcode field, the search) is the composition root's to connect.
class BarcodeReader : public QObject {
    Q_OBJECT
public:
    explicit BarcodeReader(QObject *parent = nullptr);

    // Takes the characters received on this line.
    void listenTo(SerialLine &scannerLine);

    const ScanCollector &collector() const { return m_collector; }

public slots:
    // BCComPortRxChar: characters received on the scanner port.
    void BCComPortRxChar(const QByteArray &bytes);
    // Start-up: the collected text is emptied.
    void reset() { m_collector.clear(); }

signals:
    void scanned(const QString &code);

private:
    ScanCollector m_collector;
};
