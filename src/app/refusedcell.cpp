#include "app/refusedcell.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QHash>

namespace RefusedCell {

namespace {
// The group box that holds each family's table.
QString boxOf(const QString &family)
{
    static const QHash<QString, QString> boxes = {
        {QStringLiteral("articles"), QStringLiteral("gbArticles")},
        {QStringLiteral("departments"), QStringLiteral("gbStands")},
        {QStringLiteral("taxrates"), QStringLiteral("gbTaxGroups")},
        {QStringLiteral("groups"), QStringLiteral("GBGroups")},
        {QStringLiteral("operators"), QStringLiteral("GBOperateri")},
    };
    return boxes.value(family);
}
} // namespace

bool show(QWidget *root, const QString &family, int row, int column)
{
    const QString boxName = boxOf(family);
    if (boxName.isEmpty())
        return false;
    auto *box = root->findChild<QGroupBox *>(boxName);
    auto *view = box ? box->findChild<QAbstractItemView *>() : nullptr;
    if (!view || !view->model())
        return false;
    const QModelIndex index = view->model()->index(row, column);
    if (!index.isValid())
        return false;
    view->setCurrentIndex(index);
    view->scrollTo(index);
    return true;
}

} // namespace RefusedCell
