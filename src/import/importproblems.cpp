#include "import/importproblems.h"

#include "charset/cp1251.h"

namespace ImportProblems {

namespace {

QString quoted(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

QByteArray csv(const QList<ImportProblem> &problems)
{
    QString text = QStringLiteral("Ред;Колона;Вредност;Разлог;Одбијено\r\n");
    for (const ImportProblem &p : problems)
        text += QStringLiteral("%1;%2;%3;%4;%5\r\n")
                    .arg(p.fileRow)
                    .arg(quoted(p.column), quoted(p.value), quoted(p.reason),
                         p.refused ? QStringLiteral("да") : QStringLiteral("не"));
    return Cp1251::fromUnicode(text);
}

QString line(const ImportProblem &p)
{
    return QStringLiteral("ред %1, %2: %3 („%4“)%5")
        .arg(p.fileRow)
        .arg(p.column, p.reason, p.value, p.refused ? QStringLiteral(", одбијено") : QString());
}

} // namespace ImportProblems
