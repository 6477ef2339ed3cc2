#include "params/articles/articlerecord.h"

#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "params/common/cellnumber.h"

namespace ArticleRecord {
namespace {

// Frame offsets of a reply to 115.
constexpr int ReplyName = 11;
constexpr int ReplyBarcode = 48;
constexpr int ReplyTax = 55;
constexpr int ReplyGroupDepartment = 56;
constexpr int ReplyPrice = 57;
constexpr int ReplyStock = 61;
constexpr int ReplySold = 65;
constexpr int ReplyTurnover = 69;

// Offsets within the data part of a write (frame offset minus 9).
constexpr int WriteName = 2;
constexpr int WriteNameEnd = 38; // frame byte 47
constexpr int WriteBarcode = 39;
constexpr int WriteTax = 46;
constexpr int WriteGroupDepartment = 47;
constexpr int WritePrice = 48;
constexpr int WriteStock = 52;

// A price or quantity cell as a count of 10^-scale units: empty is 0; a text
// with the regional separator converts with it (or throws); any other text
// must be a whole number.
bool cellAmount(const QString &text, const Regional &regional, int scale, qint64 *units)
{
    if (text.isEmpty()) {
        *units = 0;
        return true;
    }
    if (DecimalText::containsRegionalSeparator(text, regional)) {
        *units = DecimalText::parse(text, regional.decimal, scale).units;
        return true;
    }
    int whole = 0;
    if (!DecimalText::tryParseInteger(text, &whole))
        return false;
    qint64 factor = 1;
    for (int k = 0; k < scale; ++k)
        factor *= 10;
    *units = qint64(whole) * factor;
    return true;
}

bool wholeInRange(const QString &text, int low, int high, int *value)
{
    return DecimalText::tryParseInteger(text, value) && *value >= low && *value <= high;
}

std::uint32_t low32(qint64 units) { return std::uint32_t(quint64(units) & 0xFFFFFFFFu); }

} // namespace

QByteArray readRequest(int index)
{
    QByteArray data(2, '\0');
    Fields::putU16(data, 0, std::uint32_t(index) & 0xFFFF);
    return data;
}

QByteArray packBarcode(const QString &text)
{
    QString digits = text.left(BarcodeDigits);
    digits = digits.rightJustified(BarcodeDigits, QLatin1Char('0'));
    QByteArray packed(BarcodeWidth, '\0');
    for (int i = 0; i < BarcodeWidth; ++i) {
        const int high = digits.at(2 * i).unicode() & 0x0F;
        const int low = digits.at(2 * i + 1).unicode() & 0x0F;
        packed[i] = char(high << 4 | low);
    }
    return packed;
}

QString barcodeText(const QByteArray &packed)
{
    QString text;
    text.reserve(BarcodeDigits);
    for (int i = 0; i < BarcodeWidth; ++i) {
        const std::uint8_t b = Fields::byteAt(packed, i);
        for (int nibble : {b >> 4, b & 0x0F})
            if (nibble <= 9)
                text.append(QLatin1Char(char('0' + nibble)));
    }
    return text;
}

ArticleRow readReply(const QByteArray &frame, const Regional &regional)
{
    ArticleRow row;
    row.name = Fields::decodeName(frame.mid(ReplyName, NameWidth));
    row.barcode = barcodeText(frame.mid(ReplyBarcode, BarcodeWidth));
    row.tax = Fields::taxLabelOrA(Fields::byteAt(frame, ReplyTax) & 0x0F);
    const std::uint8_t gd = Fields::byteAt(frame, ReplyGroupDepartment);
    row.group = QString::number(gd >> 4);
    row.department = QString::number((gd & 0x0F) + 1);
    row.price = DecimalText::formatScaled(Fields::getU32(frame, ReplyPrice), 2, regional.decimal);
    row.quantity = DecimalText::formatScaled(Fields::getI32(frame, ReplyStock), 3, regional.decimal);
    row.sold = DecimalText::formatScaled(Fields::getU32(frame, ReplySold), 3, regional.decimal);
    row.turnover = DecimalText::formatScaled(Fields::getAmount5(frame, ReplyTurnover), 2, regional.decimal);
    return row;
}

Check writeRequest(int index, const ArticleRow &row, const Regional &regional, QByteArray *data)
{
    data->clear();
    const int tax = Fields::taxIndexOfFirstChar(row.tax);
    int group = 0;
    int department = 0;
    if (tax < 0 || !wholeInRange(row.group, 0, 12, &group) || !wholeInRange(row.department, 1, 8, &department)
        || row.price.contains(QLatin1Char('-')))
        return Check::DataError;
    qint64 price = 0;
    qint64 stock = 0;
    if (!cellAmount(row.price, regional, 2, &price))
        return Check::DataError;
    if (!cellAmount(row.quantity, regional, 3, &stock))
        return Check::DataError;

    QByteArray d(WriteDataLength, '\0');
    Fields::putU16(d, 0, std::uint32_t(index) & 0xFFFF);
    const QString name = CellNumber::trimControls(row.name);
    if (name.isEmpty()) {
        d.replace(WriteName, NameFieldWidth, QByteArray(NameFieldWidth, char(0xFF)));
    } else {
        const QByteArray bytes = Fields::encodeText(name).left(NameWidth);
        d.replace(WriteName, int(bytes.size()), bytes);
        // The first request of a write leaves the closing byte at 0x00.
        if (index != 0)
            d[WriteNameEnd] = char(0xFF);
    }
    const QString barcode = index == 0 ? CellNumber::trimControls(row.barcode) : row.barcode;
    d.replace(WriteBarcode, BarcodeWidth, packBarcode(barcode));
    d[WriteTax] = char(tax & 0x0F);
    d[WriteGroupDepartment] = char((group & 0x0F) << 4 | ((department - 1) & 0x0F));
    Fields::putU32(d, WritePrice, low32(price));
    Fields::putU32(d, WriteStock, low32(stock));
    *data = d;
    return Check::Ok;
}

} // namespace ArticleRecord
