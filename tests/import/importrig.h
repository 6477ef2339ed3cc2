#pragma once

// Shared by the import tests: the fixtures, the tax-rate table they are
// checked against (Ђ 20 %, Е 10 %) and a plan over a fresh article table.
#include "import/bookreader.h"
#include "import/importapply.h"
#include "import/mappingguess.h"
#include "params/articles/articletablemodel.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// Texts in failure messages as text, not as bytes.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

inline QString fixturePath(const QString &name)
{
    return QDir(QStringLiteral(VILARON_IMPORT_FIXTURES)).filePath(name);
}

inline QByteArray fixtureBytes(const QString &name)
{
    QFile f(fixturePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

inline ImportTaxRates fixtureRates()
{
    return ImportTaxRates::fromTexts({QStringLiteral("**,**"), QStringLiteral("**,**"), QStringLiteral("**,**"),
                                      QStringLiteral("20,00"), QStringLiteral("10,00")},
                                     Regional::comma());
}

// The plan of the first sheet of a workbook into `model`, mapping guessed.
inline ImportPlan planInto(const Workbook &book, const ArticleTableModel &model, ImportMode mode)
{
    EXPECT_TRUE(book.ok()) << book.error.toStdString();
    const Sheet sheet = book.sheets.value(0);
    const MappingGuess::Guess guess = MappingGuess::guess(sheet, ImportTarget::articles());
    ImportRequest request = ImportApply::requestFor(model, Regional::comma());
    request.mode = mode;
    request.mapping = guess.mapping;
    request.headingRow = guess.headingRow;
    request.rates = fixtureRates();
    return ImportPlanner::plan(sheet, request);
}
