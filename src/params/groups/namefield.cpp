#include "params/groups/namefield.h"

#include "link/fields.h"

namespace NameField {

namespace {
bool isTrimmed(QChar c) { return c.unicode() <= 0x20; }
} // namespace

QString trimmed(const QString &cell)
{
    qsizetype begin = 0;
    qsizetype end = cell.size();
    while (begin < end && isTrimmed(cell[begin]))
        ++begin;
    while (end > begin && isTrimmed(cell[end - 1]))
        --end;
    return cell.mid(begin, end - begin);
}

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
