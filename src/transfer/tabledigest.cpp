#include "transfer/tabledigest.h"

#include <QAbstractItemModel>
#include <QCryptographicHash>

namespace {

void addText(QCryptographicHash &hash, const QString &text)
{
    // The length first, so that cells cannot run into one another.
    const QByteArray bytes = text.toUtf8();
    const qint64 size = bytes.size();
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
    hash.addData(bytes);
}

} // namespace

namespace TableDigest {

QByteArray ofModel(const QAbstractItemModel &model)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            addText(hash, model.index(row, column).data().toString());
    return hash.result();
}

QByteArray ofTexts(const QStringList &texts)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &text : texts)
        addText(hash, text);
    return hash.result();
}

} // namespace TableDigest
