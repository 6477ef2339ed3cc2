#include "barcode/barcodereader.h"

#include "link/serialline.h"

BarcodeReader::BarcodeReader(QObject *parent) : QObject(parent) {}

void BarcodeReader::listenTo(SerialLine &scannerLine)
{
    connect(&scannerLine, &SerialLine::bytesArrived, this, &BarcodeReader::BCComPortRxChar);
}

void BarcodeReader::BCComPortRxChar(const QByteArray &bytes)
{
    for (const QString &code : m_collector.received(bytes))
        emit scanned(code);
}
