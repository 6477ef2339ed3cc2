#include "params/common/namedrecord.h"

#include "protocol/fields.h"
#include "params/common/celltext.h"

namespace NamedRecord {

QByteArray encodeName(const QString &cell)
{
    const QString name = CellText::trimControls(cell);
    if (name.isEmpty())
        return QByteArray(NameWidth, char(0xFF));
    QByteArray field(NameWidth, '\0');
    // Characters, not bytes, are counted; the byte cut only guards the field.
    const QByteArray bytes = Fields::encodeText(name.left(NameTextWidth)).left(NameTextWidth);
    field.replace(0, int(bytes.size()), bytes);
    return field;
}

QString decodeName(const QByteArray &field) { return Fields::decodeName(field.left(NameTextWidth)); }

QByteArray writeRequest(int number, const QString &name, std::uint32_t value, int size)
{
    QByteArray data = char(number & 0xFF) + encodeName(name);
    for (int i = 0; i < size; ++i)
        data.append(char(value >> (8 * i) & 0xFF));
    return data;
}

Reply readReply(const QByteArray &data, int replyLength)
{
    Reply r;
    if (data.isEmpty()) {
        r.number = 0x100;
        return r;
    }
    r.number = Fields::byteAt(data, 0);
    r.complete = data.size() >= replyLength;
    if (r.complete)
        r.name = decodeName(data.mid(1, NameWidth));
    return r;
}

} // namespace NamedRecord
