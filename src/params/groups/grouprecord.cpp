#include "params/groups/grouprecord.h"

#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "params/common/celltext.h"
#include "params/groups/namefield.h"

namespace GroupRecord {

namespace {
// Offsets in the data part (frame offset minus 9).
constexpr int NumberAt = 0;
constexpr int NameAt = 1;
constexpr int ShareAt = 20;
constexpr int TurnoverAt = 22;
constexpr int ShareScale = 2;
} // namespace

Share convertShare(const QString &text, const Regional &regional) { return CellText::percent(text, regional); }

QByteArray readRequest(int group) { return QByteArray(1, char(group & 0xFF)); }

QByteArray writeRequest(int group, const QString &name, std::uint16_t share)
{
    QByteArray data(WriteLength, '\0');
    data[NumberAt] = char(group & 0xFF);
    data.replace(NameAt, NameField::Width, NameField::encode(name));
    Fields::putU16(data, ShareAt, share);
    return data;
}

Reply readReply(const QByteArray &data, QChar decimal)
{
    Reply r;
    if (data.isEmpty()) {
        r.group = 0x100;
        return r;
    }
    r.group = Fields::byteAt(data, NumberAt);
    r.complete = data.size() >= ReplyLength;
    if (!r.complete)
        return r;
    r.name = NameField::decode(data.mid(NameAt, NameField::Width));
    r.share = DecimalText::formatScaled(Fields::getU16(data, ShareAt), ShareScale, decimal);
    r.turnover = DecimalText::formatScaled(Fields::getAmount5(data, TurnoverAt), ShareScale, decimal);
    return r;
}

} // namespace GroupRecord
