#include "params/groups/namefield.h"

#include "protocol/fields.h"
#include "params/common/celltext.h"

namespace NameField {

QString trimmed(const QString &cell) { return CellText::trimControls(cell); }

QByteArray encode(const QString &cell)
{
    const QString name = trimmed(cell);
    if (name.isEmpty())
        return QByteArray(Width, char(0xFF));
    QByteArray field(Width, '\0');
    // Characters, not bytes, are counted; the byte cut only guards the field.
    const QByteArray bytes = Fields::encodeText(name.left(TextWidth)).left(TextWidth);
    field.replace(0, int(bytes.size()), bytes);
    return field;
}

QString decode(const QByteArray &field) { return Fields::decodeName(field.left(TextWidth)); }

} // namespace NameField
