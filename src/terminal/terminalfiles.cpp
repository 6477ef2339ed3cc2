#include "terminal/terminalfiles.h"

#include "charset/cp1251.h"
#include "charset/devicecharset.h"
#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "core/programerror.h"
#include "params/common/cellnumber.h"
#include "core/filestore.h"

namespace TerminalFiles {
namespace {

const QByteArray Open = QByteArrayLiteral("<D>");
const QByteArray Close = QByteArrayLiteral("</D>");

// Offsets inside a terminal article record.
constexpr int ArticleBarcode = 2;
constexpr int ArticleTax = 9;
constexpr int ArticlePrice = 10;
constexpr int ArticleName = 14;

// Offsets inside a terminal sales record.
constexpr int SaleBarcode = 2;
constexpr int SaleSold = 9;
constexpr int SaleTurnover = 13;

std::uint8_t at(const QByteArray &bytes, int offset) { return Fields::byteAt(bytes, offset); }

void putIndexHighFirst(QByteArray &out, int index)
{
    out.append(char((index >> 8) & 0xFF));
    out.append(char(index & 0xFF));
}

int indexHighFirst(const QByteArray &bytes) { return at(bytes, 0) << 8 | at(bytes, 1); }

void putU32LowFirst(QByteArray &out, std::uint32_t value)
{
    out.append(4, '\0');
    Fields::putU32(out, int(out.size()) - 4, value);
}

// Where the first record starts: after the first "<D>", or at the start.
qsizetype bodyStart(const QByteArray &file)
{
    const qsizetype open = file.indexOf(Open);
    return open < 0 ? 0 : open + Open.size();
}

} // namespace

QByteArray packBarcode(const QString &text)
{
    const QByteArray chars = Cp1251::fromUnicode(text).left(BarcodePlaces);
    QByteArray packed(BarcodeWidth, char(0xFF));
    for (int place = 0; place < chars.size(); ++place) {
        const int nibble = std::uint8_t(chars.at(place)) & 0x0F;
        std::uint8_t &b = reinterpret_cast<std::uint8_t &>(packed[place / 2]);
        if (place % 2 == 0)
            b = std::uint8_t(nibble << 4 | (b & 0x0F));
        else
            b = std::uint8_t((b & 0xF0) | nibble);
    }
    return packed;
}

QString barcodeDigits(const QByteArray &packed)
{
    QString digits;
    for (int i = 0; i < BarcodeWidth; ++i) {
        // Missing bytes read as fill.
        const std::uint8_t b = i < packed.size() ? std::uint8_t(packed.at(i)) : 0xFF;
        for (int nibble : {b >> 4, b & 0x0F})
            if (nibble <= 9)
                digits.append(QLatin1Char(char('0' + nibble)));
    }
    return digits;
}

bool isNamed(const ArticleRow &row) { return !CellNumber::trimControls(row.name).isEmpty(); }

QByteArray articleRecord(int number, const ArticleRow &row, const Regional &regional)
{
    // An empty price goes as 0, as the register write sends it.
    const ScaledNumber price = row.price.isEmpty() ? ScaledNumber{} : DecimalText::parseCell(row.price, regional, 2);
    if (price.saturated || price.units < 0 || price.units > qint64(0xFFFFFFFFu))
        throw ProgramError(QStringLiteral("Цена артикла %1 (%2) не може да се пошаље терминалу.")
                               .arg(number)
                               .arg(row.price));
    const int tax = Fields::taxIndexOfFirstChar(row.tax);

    QByteArray name = Cp1251::fromUnicode(row.name.left(NameLength));
    name.replace(Terminator, '?');

    QByteArray out;
    out.reserve(ArticleFixedPart + int(name.size()) + 1);
    putIndexHighFirst(out, number - 1);
    out.append(packBarcode(row.barcode));
    out.append(char(tax < 0 ? 0 : tax));
    putU32LowFirst(out, std::uint32_t(price.units));
    out.append(name);
    out.append(Terminator);
    return out;
}

QByteArray commandFile(Command command, const QList<QByteArray> &records)
{
    QByteArray out(1, char(command));
    if (command != Command::SendAll && command != Command::SendSelected)
        return out;
    out.append(Open);
    for (const QByteArray &record : records)
        out.append(record);
    out.append(Close);
    return out;
}

bool writeCommandFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return FileStore::writeAtomically(path, bytes, error);
}

Split splitArticleRecords(const QByteArray &file)
{
    Split split;
    qsizetype pos = bodyStart(file);
    const qsizetype n = file.size();
    while (pos + ArticleFixedPart < n) {
        const qsizetype end = file.indexOf(Terminator, pos + ArticleFixedPart);
        if (end < 0)
            break;
        split.records.append(file.mid(pos, end + 1 - pos));
        pos = end + 1;
    }
    return split;
}

Split splitSalesRecords(const QByteArray &file)
{
    Split split;
    qsizetype pos = bodyStart(file);
    const qsizetype n = file.size();
    while (pos + SaleLength < n) {
        if (file.at(pos + SaleLength) == Terminator) {
            split.records.append(file.mid(pos, SaleLength + 1));
            pos += SaleLength + 1;
            continue;
        }
        // Out of step: what stands up to the next terminator is no record.
        const qsizetype end = file.indexOf(Terminator, pos + SaleLength);
        if (end < 0)
            break;
        ++split.malformed;
        pos = end + 1;
    }
    return split;
}

std::optional<TerminalArticle> decodeArticle(const QByteArray &record)
{
    QByteArray body = record;
    if (body.endsWith(Terminator))
        body.chop(1);
    if (body.size() <= ArticleName)
        return std::nullopt;
    TerminalArticle a;
    a.index = indexHighFirst(body);
    a.barcode = barcodeDigits(body.mid(ArticleBarcode, BarcodeWidth));
    a.taxIndex = at(body, ArticleTax);
    a.priceHundredths = Fields::getU32(body, ArticlePrice);
    // The whole name, however long: the register write cuts it to its field.
    a.name = Cp1251::toUnicode(DeviceCharset::dekodiraj(body.mid(ArticleName)));
    return a;
}

std::optional<TerminalSale> decodeSale(const QByteArray &record)
{
    if (record.size() < SaleLength)
        return std::nullopt;
    TerminalSale s;
    s.index = indexHighFirst(record);
    s.barcode = barcodeDigits(record.mid(SaleBarcode, BarcodeWidth));
    s.soldThousandths = Fields::getU32(record, SaleSold);
    s.turnoverHundredths = Fields::getAmount5(record, SaleTurnover);
    return s;
}

} // namespace TerminalFiles
