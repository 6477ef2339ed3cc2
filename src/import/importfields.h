#pragma once

#include <QList>
#include <QString>
#include <array>

// The fields a sheet's columns can fill, in the order of the window's
// mapping combos.
enum class ImportField { Number, Name, Barcode, Department, Price, Tax, Quantity, Group };
constexpr int ImportFieldCount = 8;

// The table an import fills: the articles or the departments, with the
// table column each of its fields goes to (-1: the table has no such field)
// and the rules its values follow.
struct ImportTarget {
    enum Kind { Articles, Departments };
    Kind kind;
    int rowCount;
    int columnCount;
    int nameLength;
    qint64 priceLimitHundredths;
    std::array<int, ImportFieldCount> columns;

    static const ImportTarget &articles();
    static const ImportTarget &departments();
    bool has(ImportField field) const { return column(field) >= 0; }
    int column(ImportField field) const { return columns[std::size_t(field)]; }
    // How the table names a field ("Назив", "Бар-код", ...).
    static QString title(ImportField field);
    // The key a mapping template uses ("name", "barcode", ...).
    static QString key(ImportField field);
    static QList<ImportField> all();
};

// A column chosen for each field; -1 for none ("—").
struct ImportMapping {
    std::array<int, ImportFieldCount> columns{-1, -1, -1, -1, -1, -1, -1, -1};
    int column(ImportField field) const { return columns[std::size_t(field)]; }
    void set(ImportField field, int column) { columns[std::size_t(field)] = column; }
    bool operator==(const ImportMapping &o) const { return columns == o.columns; }
};
