#pragma once

#include <QByteArray>
#include <QStringList>

class QAbstractItemModel;

// Digests of what a family's table shows, to tell whether it changed.
namespace TableDigest {

QByteArray ofModel(const QAbstractItemModel &model);
QByteArray ofTexts(const QStringList &texts);

} // namespace TableDigest
