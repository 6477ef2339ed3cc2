#pragma once

#include "barcode/scancollector.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class SearchWindow;
class SerialLine;

// The barcode reader on the scanner port (BCComPort): every complete scan
// goes into the article barcode field edtBarkod and into the search field
// EdtTrazi of the search window, with the search switched to barcode, and
// sounds the system beep. It never changes the article table.
class BarcodeReader : public QObject {
    Q_OBJECT
public:
    // Either target may be null; the reader then fills the other one only.
    BarcodeReader(QLineEdit *barcodeField, SearchWindow *search, QObject *parent = nullptr);

    // Takes the characters received on this line.
    void listenTo(SerialLine &scannerLine);
    // The sound of a complete scan; QApplication::beep unless replaced.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

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
    QPointer<QLineEdit> m_barcodeField;
    QPointer<SearchWindow> m_search;
    std::function<void()> m_beep;
};
