#include "app/scanrouting.h"

#include "barcode/barcodereader.h"
#include "search/searchwindow.h"

#include <QLineEdit>
#include <QPointer>

namespace ScanRouting {

void route(BarcodeReader &reader, QLineEdit *barcodeField, SearchWindow *search, std::function<void()> beep)
{
    QPointer<QLineEdit> field(barcodeField);
    QPointer<SearchWindow> window(search);
    QObject::connect(&reader, &BarcodeReader::scanned, &reader, [field, window, beep](const QString &code) {
        if (beep)
            beep();
        // setText, not typing: the code is not cut to the 13 characters a
        // user may type into the barcode field.
        if (field)
            field->setText(code);
        if (window)
            window->takeScannedCode(code);
    });
}

} // namespace ScanRouting
