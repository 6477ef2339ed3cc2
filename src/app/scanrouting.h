#pragma once

#include <functional>

class BarcodeReader;
class QLineEdit;
class SearchWindow;

// Where a scanned code goes: into the article barcode field edtBarkod and
// into the search field EdtTrazi of the search window, with the search
// switched to barcode, after a beep. It never changes the article table.
namespace ScanRouting {

// Either target may be null; the code then goes to the other one only.
void route(BarcodeReader &reader, QLineEdit *barcodeField, SearchWindow *search, std::function<void()> beep);

} // namespace ScanRouting
