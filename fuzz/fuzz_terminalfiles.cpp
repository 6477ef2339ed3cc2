// The terminal data file reader on arbitrary bytes: splitting never reads
// past the end, every record it gives is whole, decoding never fails.
#include "charset/cp1251.h"
#include "terminal/terminalfiles.h"

#include <cstdint>
#include <cstdlib>

namespace {
void check(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const TerminalFiles::Split articles = TerminalFiles::splitArticleRecords(bytes);
    qsizetype taken = 0;
    for (const QByteArray &record : articles.records) {
        check(record.size() >= TerminalFiles::ArticleFixedPart + 1);
        check(record.endsWith(TerminalFiles::Terminator));
        taken += record.size();
        if (const auto a = TerminalFiles::decodeArticle(record)) {
            check(a->index >= 0 && a->index <= 0xFFFF);
            // The whole name is kept (the register write cuts it); it comes from
            // the record's own bytes.
            check(!a->name.isEmpty() && a->name.size() <= record.size());
            check(a->barcode.size() <= TerminalFiles::BarcodePlaces);
        }
    }
    check(taken <= bytes.size());

    const TerminalFiles::Split sales = TerminalFiles::splitSalesRecords(bytes);
    taken = 0;
    for (const QByteArray &record : sales.records) {
        check(record.size() == TerminalFiles::SaleLength + 1);
        check(record.endsWith(TerminalFiles::Terminator));
        taken += record.size();
        const auto s = TerminalFiles::decodeSale(record);
        check(s.has_value());
        check(s->turnoverHundredths >= 0 && s->barcode.size() <= TerminalFiles::BarcodePlaces);
    }
    check(taken <= bytes.size());

    // Barcodes made of digits come back as they went; anything else is cut
    // to the 14 places and never grows.
    const QString text = Cp1251::toUnicode(bytes.left(20));
    const QByteArray packed = TerminalFiles::packBarcode(text);
    check(packed.size() == TerminalFiles::BarcodeWidth);
    const QString digits = TerminalFiles::barcodeDigits(packed);
    check(digits.size() <= TerminalFiles::BarcodePlaces);
    bool allDigits = text.size() <= TerminalFiles::BarcodePlaces;
    for (QChar c : text)
        allDigits = allDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (allDigits)
        check(digits == text);
    return 0;
}
