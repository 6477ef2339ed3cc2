#include "params/groups/grouprecord.h"

#include "core/decimaltext.h"
#include "protocol/fields.h"

namespace GroupRecord {

namespace {
// Offsets in the data part (frame offset minus 9).
constexpr int ShareAt = NamedRecord::FieldsAt;
constexpr int TurnoverAt = ShareAt + 2;
constexpr int Scale = 2;
} // namespace

QByteArray writeRequest(int group, const QString &name, std::uint16_t share)
{
    return NamedRecord::writeRequest(group, name, share, 2);
}

Reply readReply(const QByteArray &data, QChar decimal)
{
    Reply r{NamedRecord::readReply(data, ReplyLength), {}, {}};
    if (r.complete) {
        r.share = DecimalText::formatScaled(Fields::getU16(data, ShareAt), Scale, decimal);
        r.turnover = DecimalText::formatScaled(Fields::getAmount5(data, TurnoverAt), Scale, decimal);
    }
    return r;
}

} // namespace GroupRecord
