#include "report/articlereporttable.h"

#include "params/articles/articletablemodel.h"

void ArticleReportTable::append(const ArticleReportRecord &record)
{
    m_records.push_back(ArticleReportRecord{record.sifra.left(SifraWidth), record.naziv.left(NazivWidth),
                                            record.barkod.left(BarkodWidth), record.cena.left(CenaWidth),
                                            record.stopa.left(StopaWidth)});
}

void ArticleReportTable::fill(const ArticleTableModel &articles)
{
    m_records.clear();
    for (int r = 0; r < ArticleTableModel::RowCount; ++r) {
        const ArticleRow &row = articles.row(r);
        if (row.name.isEmpty())
            continue;
        append(ArticleReportRecord{articles.cell(r, ArticleTableModel::Number), row.name, row.barcode,
                                   row.price, row.tax});
    }
}
