#pragma once

#include "core/regional.h"

#include <QByteArray>

class ArticleTableModel;

// Takes the terminal's data files into the article table: the articles it
// read (name, barcode, tax label, price) and the day's sales (sold quantity,
// turnover, and the barcode of a row that has none). Rows the file does not
// name are left as they are.
namespace TerminalImport {

struct Result {
    // Records that name no article row or tax label, or that the file split
    // found damaged.
    int skipped = 0;
    // A sale whose barcode differs from its row's: the records from it on
    // were not taken.
    bool barcodeMismatch = false;
};

Result mergeArticles(ArticleTableModel &articles, const QByteArray &file, const Regional &regional);
Result mergeSales(ArticleTableModel &articles, const QByteArray &file, const Regional &regional);

} // namespace TerminalImport
