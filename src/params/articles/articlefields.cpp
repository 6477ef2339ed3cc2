#include "params/articles/articlefamily.h"

#include "core/decimaltext.h"
#include "params/articles/articlerecord.h"
#include "protocol/fields.h"

namespace {
// The write layout of one article (command 116).
constexpr int WireName = 2;
constexpr int WireBarcode = 39;
constexpr int WireTax = 46;
constexpr int WireGroupDepartment = 47;
constexpr int WirePrice = 48;
constexpr int WireStock = 52;
} // namespace

QList<RecordField> ArticleFamily::recordFields(const QByteArray &wire, const Regional &regional) const
{
    if (wire.size() < ArticleRecord::WriteDataLength)
        return ParameterFamily::recordFields(wire, regional);
    using M = ArticleTableModel;
    const auto header = [](int column) { return M::headers().value(column); };
    const std::uint8_t gd = Fields::byteAt(wire, WireGroupDepartment);
    return {
        {header(M::Name), Fields::decodeName(wire.mid(WireName, ArticleRecord::NameWidth)), M::Name},
        {header(M::Barcode), ArticleRecord::barcodeText(wire.mid(WireBarcode, ArticleRecord::BarcodeWidth)),
         M::Barcode},
        {header(M::Department), QString::number((gd & 0x0F) + 1), M::Department},
        {header(M::Price), DecimalText::formatScaled(Fields::getU32(wire, WirePrice), 2, regional.decimal),
         M::Price},
        {header(M::Tax), Fields::taxLabelOrA(Fields::byteAt(wire, WireTax) & 0x0F), M::Tax},
        {header(M::Quantity), DecimalText::formatScaled(Fields::getI32(wire, WireStock), 3, regional.decimal),
         M::Quantity},
        {header(M::Group), QString::number(gd >> 4), M::Group},
    };
}

bool ArticleFamily::setField(int index, int column, const QString &text)
{
    m_model.setCell(index, column, text);
    return true;
}
