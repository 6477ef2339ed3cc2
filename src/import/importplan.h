#pragma once

#include "core/regional.h"
#include "import/importfields.h"
#include "import/importvalues.h"
#include "import/sheet.h"

#include <QList>
#include <QString>
#include <QStringList>

// How the rows of a sheet go into the table.
enum class ImportMode {
    Replace,  // the table from row 1; rows after the last imported one back to start-up texts
    ByNumber, // the number column chooses the row
    ByBarcode // an existing barcode is updated, a new one takes the next row with an empty name
};

// A value the import did not take (or took with a note), where the file has it.
struct ImportProblem {
    int fileRow = 0;  // 1-based, as the spreadsheet numbers it
    QString column;   // "C (EAN)"
    QString value;
    QString reason;
    bool refused = true;
};

struct ImportSummary {
    int added = 0;     // rows that had no name before
    int updated = 0;
    int unchanged = 0;
    int refused = 0;   // file rows with a value the register would not take
    int leftOut = 0;   // file rows with no room left in the table
    int cleared = 0;   // replace: rows after the imported ones back to start-up texts
    QString text() const;
};

// Everything an import would do, worked out before anything changes: the
// whole table as it would be, the rows that differ, the summary and the
// problems.
struct ImportPlan {
    QList<QStringList> rows;   // every table row, all columns (column 0 the number)
    QList<int> changedRows;    // model rows whose text differs from the table now
    ImportSummary summary;
    QList<ImportProblem> problems;
    // Set when the sheet cannot be imported at all (no column chosen for
    // any field, or none for the field the mode goes by): nothing changes.
    QString refusal;
    bool anyRefused() const { return summary.refused > 0; }
};

struct ImportRequest {
    const ImportTarget *target = &ImportTarget::articles();
    ImportMode mode = ImportMode::Replace;
    ImportMapping mapping;
    int headingRow = -1;             // rows up to it are not data; -1: every row is
    QList<QStringList> current;      // the table now
    QList<QStringList> startUp;      // the table's start-up rows
    ImportTaxRates rates;
    Regional regional = Regional::comma();
};

namespace ImportPlanner {

ImportPlan plan(const Sheet &sheet, const ImportRequest &request);
// "C (EAN)": a column by its spreadsheet letter and its heading.
QString columnName(int column, const QString &heading);
QString columnLetters(int column);

} // namespace ImportPlanner
