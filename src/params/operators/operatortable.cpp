#include "params/operators/operatortable.h"

OperatorTable::OperatorTable(QObject *parent) : TextGrid(Columns, Rows, parent)
{
    setCells(0, 0, headings());
    for (int r = 1; r <= RecordCount; ++r)
        setCell(Number, r, QString::number(r));
}

QStringList OperatorTable::headings()
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
