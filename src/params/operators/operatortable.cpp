#include "params/operators/operatortable.h"

namespace {
QStringList headings()
{
    QStringList h = {QStringLiteral("Број"), QStringLiteral("Име"), QStringLiteral("Лозинка")};
    const QString kinds[] = {QStringLiteral("Сума прихода"), QStringLiteral("Служ.унос"),
                             QStringLiteral("Служ.излаз")};
    for (const QString &kind : kinds)
        for (int k = 0; k < 5; ++k)
            h << kind + QLatin1Char(' ') + QString::number(k);
    h << QStringLiteral("Корекција");
    return h;
}
} // namespace

OperatorTable::OperatorTable(QObject *parent) : TextGrid(FirstAmount + AmountCount, RecordCount + 1, parent)
{
    setCells(0, 0, headings());
    for (int r = 1; r <= RecordCount; ++r)
        setCell(Number, r, QString::number(r));
    keepStartTexts();
}
