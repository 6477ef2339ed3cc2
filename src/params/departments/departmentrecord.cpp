#include "params/departments/departmentrecord.h"

#include "core/decimaltext.h"
#include "params/common/cellnumber.h"
#include "params/common/celltext.h"
#include "protocol/fields.h"
#include "protocol/frame.h"

namespace DepartmentRecord {

namespace {
// Where each field starts within the data part (frame offset minus 9): the
// index, the 18-byte name with its end mark, the group and tax byte, the price.
enum DataOffset { IndexAt = 0, NameAt = 1, EndMarkAt = 19, GroupTaxAt = 20, PriceAt = 21 };
} // namespace

QByteArray readRequest(int index) { return QByteArray(1, char(index & 0xFF)); }

QByteArray writeRequest(int index, const DepartmentRow &row, const Regional &regional)
{
    QByteArray data(WriteDataLength, '\0');
    data[IndexAt] = char(index & 0xFF);

    const QString trimmed = CellNumber::trimControls(row.name);
    if (trimmed.isEmpty()) {
        for (int k = 0; k < NameWidth; ++k)
            data[NameAt + k] = char(0xFF);
        data[EndMarkAt] = 0x00;
    } else {
        // Department 1 goes without its outer blanks, the others as they stand.
        const QByteArray name = Fields::encodeText(index == 0 ? trimmed : row.name).left(NameWidth);
        data.replace(NameAt, int(name.size()), name);
        data[EndMarkAt] = char(0xFF);
    }

    const int group = DecimalText::parseInteger(row.group); // throws: the write stops here
    int tax = Fields::taxIndexOfFirstChar(row.tax);
    if (tax < 0)
        tax = 0;
    data[GroupTaxAt] = char((group & 0x0F) << 4 | (tax & 0x0F));

    ScaledNumber price;
    if (!DecimalText::tryParse(row.price, CellNumber::markFor(row.price, regional), 2, &price))
        price.units = 0;
    Fields::putU32(data, PriceAt, std::uint32_t(quint64(price.units) & 0xFFFFFFFFu));
    return data;
}

int replyIndex(const QByteArray &frame) { return Fields::byteAt(frame, Frame::DataOffset); }

int readReply(const QByteArray &frame, const Regional &regional, DepartmentRow *row)
{
    const int index = replyIndex(frame);
    row->name = Fields::decodeName(frame.mid(10, NameWidth));
    const std::uint8_t groupTax = Fields::byteAt(frame, 29);
    row->group = QString::number(groupTax >> 4);
    row->tax = Fields::taxLabelOrA(groupTax & 0x0F);
    row->price = DecimalText::formatScaled(Fields::getU32(frame, 30), 2, regional.decimal);
    row->turnover = DecimalText::formatScaled(Fields::getAmount5(frame, 34), 2, regional.decimal);
    return index;
}

} // namespace DepartmentRecord

namespace DepartmentEditing {

void selectionFill(const DepartmentRow &row, DepartmentEditFill *fill)
{
    fill->name = row.name;
    fill->price = row.price;
    const int group = DecimalText::parseInteger(row.group);
    const int groups = int(CellText::groupNumbers().size());
    fill->group = group >= 0 && group < groups ? group : -1;
    const int tax = Fields::taxIndexOfLabel(row.tax);
    fill->tax = tax >= 0 ? tax : 2; // Д
}

Outcome correct(const DepartmentEdits &edits, const Regional &regional, DepartmentRow *row)
{
    ScaledNumber price;
    if (!CellNumber::convertEdit(edits.price, regional, 2, &price))
        return Outcome::DataError;
    if (CellNumber::priceOverLimit(edits.price, CellNumber::markFor(edits.price, regional))
        || CellNumber::charactersAfterSeparator(edits.price, regional) > 2 || price.negative
        || edits.price.contains(QLatin1Char('-')))
        return Outcome::DataError;
    row->name = edits.name;
    row->group = edits.group;
    row->tax = edits.tax;
    row->price = CellNumber::storedText(edits.price, regional);
    return Outcome::Accepted;
}

} // namespace DepartmentEditing
