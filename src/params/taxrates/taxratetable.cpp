#include "params/taxrates/taxratetable.h"

#include "protocol/fields.h"
#include "params/taxrates/taxratefamily.h"

TaxRateTable::TaxRateTable(QChar decimal, QObject *parent) : TextGrid(Columns, Rows, parent)
{
    setCell(0, 0, QStringLiteral("П. Ст."));
    setCell(1, 0, TaxRateFamily::rangeHint(decimal));
    const QStringList &labels = Fields::taxLabels();
    for (int i = 0; i < Fields::TaxLabelCount; ++i)
        setCell(0, i + 1, labels.at(i));
    keepStartTexts();
}
