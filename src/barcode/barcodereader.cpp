#include "barcode/barcodereader.h"

#include "link/serialline.h"
#include "search/searchwindow.h"

#include <QApplication>
#include <QLineEdit>

BarcodeReader::BarcodeReader(QLineEdit *barcodeField, SearchWindow *search, QObject *parent)
    : QObject(parent), m_barcodeField(barcodeField), m_search(search), m_beep([] { QApplication::beep(); })
{
}

void BarcodeReader::listenTo(SerialLine &scannerLine)
{
    connect(&scannerLine, &SerialLine::bytesArrived, this, &BarcodeReader::BCComPortRxChar);
}

void BarcodeReader::BCComPortRxChar(const QByteArray &bytes)
{
    for (const QString &code : m_collector.received(bytes)) {
        if (m_beep)
            m_beep();
        // setText, not typing: the code is not cut to the 13 characters a
        // user may type into the barcode field.
        if (m_barcodeField)
            m_barcodeField->setText(code);
        if (m_search)
            m_search->takeScannedCode(code);
        emit scanned(code);
    }
}
