#include "import/importapply.h"

#include "edit/stepnames.h"
#include "params/articles/articletablemodel.h"
#include "params/departments/departmenttablemodel.h"
#include "params/taxrates/taxratetable.h"

namespace ImportApply {

namespace {

template <typename Model>
QList<QStringList> cellsOf(const Model &model)
{
    QList<QStringList> rows;
    rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.cell(r, c);
        rows << cells;
    }
    return rows;
}

template <typename Row, typename Model>
void applyTo(Model &model, const ImportPlan &plan, const QString &stepName)
{
    QHash<int, Row> rows;
    for (int r : plan.changedRows) {
        if (r < 0 || r >= model.rowCount() || r >= plan.rows.size())
            continue;
        Row row = model.row(r);
        for (int c = 1; c < model.columnCount(); ++c)
            Model::setField(row, c, plan.rows.at(r).value(c));
        rows.insert(r, row);
    }
    // One undo step, however many rows the import changed.
    model.history().record(stepName, [&] { model.replaceRows(rows); });
}

} // namespace

QList<QStringList> rowsOf(const ArticleTableModel &model) { return cellsOf(model); }
QList<QStringList> rowsOf(const DepartmentTableModel &model) { return cellsOf(model); }

QList<QStringList> startUpArticles()
{
    static const QList<QStringList> rows = [] {
        const ArticleTableModel fresh;
        return cellsOf(fresh);
    }();
    return rows;
}

QList<QStringList> startUpDepartments(const Regional &regional)
{
    const DepartmentTableModel fresh(regional);
    return cellsOf(fresh);
}

ImportTaxRates ratesOf(const TaxRateTable &table, const Regional &regional)
{
    QStringList texts;
    for (int i = 0; i < 9; ++i)
        texts << table.rate(i);
    return ImportTaxRates::fromTexts(texts, regional);
}

ImportRequest requestFor(const ArticleTableModel &model, const Regional &regional)
{
    ImportRequest r;
    r.target = &ImportTarget::articles();
    r.current = rowsOf(model);
    r.startUp = startUpArticles();
    r.regional = regional;
    return r;
}

ImportRequest requestFor(const DepartmentTableModel &model, const Regional &regional)
{
    ImportRequest r;
    r.target = &ImportTarget::departments();
    r.current = rowsOf(model);
    r.startUp = startUpDepartments(regional);
    r.regional = regional;
    return r;
}

void apply(ArticleTableModel &model, const ImportPlan &plan) { applyTo<ArticleRow>(model, plan, StepNames::ArticleImport); }
void apply(DepartmentTableModel &model, const ImportPlan &plan) { applyTo<DepartmentRow>(model, plan, StepNames::DepartmentImport); }

} // namespace ImportApply
