#include "terminal/terminalimport.h"

#include "core/decimaltext.h"
#include "params/articles/articletablemodel.h"
#include "params/common/cellnumber.h"
#include "protocol/fields.h"
#include "terminal/terminalfiles.h"

namespace TerminalImport {

Result mergeArticles(ArticleTableModel &articles, const QByteArray &file, const Regional &regional)
{
    const TerminalFiles::Split split = TerminalFiles::splitArticleRecords(file);
    Result result{split.malformed, false};
    for (const QByteArray &record : split.records) {
        const std::optional<TerminalFiles::TerminalArticle> article = TerminalFiles::decodeArticle(record);
        if (!article)
            continue;
        // The table has rows for indexes 0..3999 and labels for 0..8 only.
        if (article->index >= ArticleTableModel::RowCount || article->taxIndex >= Fields::TaxLabelCount) {
            ++result.skipped;
            continue;
        }
        ArticleRow row = articles.row(article->index);
        row.name = article->name;
        row.barcode = article->barcode;
        row.tax = Fields::taxLabels().at(article->taxIndex);
        row.price = DecimalText::formatScaled(article->priceHundredths, 2, regional.decimal);
        articles.setRow(article->index, row);
    }
    return result;
}

Result mergeSales(ArticleTableModel &articles, const QByteArray &file, const Regional &regional)
{
    const TerminalFiles::Split split = TerminalFiles::splitSalesRecords(file);
    Result result{split.malformed, false};
    for (const QByteArray &record : split.records) {
        const std::optional<TerminalFiles::TerminalSale> sale = TerminalFiles::decodeSale(record);
        if (!sale)
            continue;
        if (sale->index >= ArticleTableModel::RowCount) {
            ++result.skipped;
            continue;
        }
        ArticleRow row = articles.row(sale->index);
        if (!sale->barcode.isEmpty()) {
            const QString own = CellNumber::trimControls(row.barcode);
            if (own.isEmpty()) {
                row.barcode = sale->barcode;
            } else if (own != sale->barcode) {
                result.barcodeMismatch = true;
                return result;
            }
        }
        row.sold = DecimalText::formatScaled(sale->soldThousandths, 3, regional.decimal);
        row.turnover = DecimalText::formatScaled(sale->turnoverHundredths, 2, regional.decimal);
        articles.setRow(sale->index, row);
    }
    return result;
}

} // namespace TerminalImport
