#pragma once

#include <QString>

class ArticleTableModel;

// Looking an article up in the article table, by barcode or by a part of its
// name. Pure functions over the table: nothing is selected or changed here.
namespace ArticleSearch {

enum class Mode { Barcode, Name };

enum class Outcome {
    NoText,   // the search text is empty
    Found,    // row holds the first matching model row
    NotFound,
};

struct Result {
    Outcome outcome = Outcome::NotFound;
    int row = -1; // model row (0 = article 1) when found
};

// The text LblTrazi shows for an outcome.
QString messageFor(Outcome outcome);

// The name pattern: blanks and control characters cut from both ends, the
// Latin letters a to z made capitals; every other character stays as typed.
QString namePattern(const QString &text);
// Latin a to z to capitals; Cyrillic and all other letters unchanged.
QString latinUpper(const QString &text);
// A barcode text padded on the left with "0" to 14 characters; a text of 14
// characters or more is returned unchanged.
QString paddedBarcode(const QString &text);

// The first row, in article-number order, whose name (column 1) contains the
// pattern of text. An empty pattern matches no row.
int findByName(const ArticleTableModel &model, const QString &text);
// The first row whose barcode cell (column 2) equals text exactly; when none
// does, the first whose cell equals text padded to 14 characters.
int findByBarcode(const ArticleTableModel &model, const QString &text);

// One search as the search button runs it.
Result search(const ArticleTableModel &model, const QString &text, Mode mode);

} // namespace ArticleSearch
