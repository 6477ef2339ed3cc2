#include "params/groups/grouptable.h"

GroupTable::GroupTable(QChar decimal, QObject *parent) : TextGrid(Turnover + 1, RecordCount + 1, parent)
{
    setCells(0, 0,
             {QStringLiteral("Број"), QStringLiteral("Назив"), QStringLiteral("Приход(%)"),
              QStringLiteral("Промет")});
    const QString zero = QStringLiteral("0") + decimal + QStringLiteral("00");
    for (int g = 0; g < RecordCount; ++g)
        setCells(g + 1, 0, {QString::number(g), QStringLiteral("Група %1").arg(g), zero, zero});
    keepStartTexts();
}
