#pragma once

#include "core/regional.h"
#include "import/importplan.h"

#include <QList>
#include <QStringList>

class ArticleTableModel;
class DepartmentTableModel;
class TaxRateTable;

// The tables an import reads and fills. Apply puts every changed row of a
// plan into the model in one call, as one undo step of the table.
namespace ImportApply {

QList<QStringList> rowsOf(const ArticleTableModel &model);
QList<QStringList> rowsOf(const DepartmentTableModel &model);
QList<QStringList> startUpArticles();
QList<QStringList> startUpDepartments(const Regional &regional);
ImportTaxRates ratesOf(const TaxRateTable &table, const Regional &regional);

// The request for the model's table as it is now.
ImportRequest requestFor(const ArticleTableModel &model, const Regional &regional);
ImportRequest requestFor(const DepartmentTableModel &model, const Regional &regional);

void apply(ArticleTableModel &model, const ImportPlan &plan);
void apply(DepartmentTableModel &model, const ImportPlan &plan);

} // namespace ImportApply
