#include "params/operators/operatorrecord.h"

#include "core/decimaltext.h"
#include "core/programerror.h"
#include "protocol/fields.h"
#include "params/operators/operatortable.h"

namespace OperatorRecord {

namespace {
// Offsets in the data part (frame offset minus 9).
constexpr int PasswordAt = NamedRecord::FieldsAt;
constexpr int AmountsAt = PasswordAt + 4;
constexpr int AmountSize = 5;
constexpr int AmountScale = 2;
} // namespace

Password convertPassword(const QString &text)
{
    if (text.isEmpty())
        throw ConversionError::integer(text);
    if (text.size() > MaxPasswordLength)
        return {};
    std::uint32_t value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {};
        value = value * 10 + std::uint32_t(c.unicode() - '0');
    }
    return {true, value};
}

QByteArray writeRequest(int index, const QString &name, std::uint32_t password)
{
    return NamedRecord::writeRequest(index, name, password, 4);
}

Reply readReply(const QByteArray &data, QChar decimal)
{
    Reply r{NamedRecord::readReply(data, ReplyLength), {}, {}};
    if (!r.complete)
        return r;
    r.password = QString::number(Fields::getU32(data, PasswordAt));
    for (int j = 0; j < OperatorTable::AmountCount; ++j)
        r.amounts << DecimalText::formatScaled(Fields::getAmount5(data, AmountsAt + AmountSize * j), AmountScale,
                                               decimal);
    return r;
}

} // namespace OperatorRecord
