#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// The two table files: one line per table row, the cell texts unchanged,
// code page 1251, CR LF line ends, the regional list separator between fields.
//
// A row is the list of the table's cell texts, column 0 first.
class TableFile {
public:
    enum class Quoting { Bare, Quoted, Enclosed };

    // Article file: rows 1..4000, 10 columns, 11 fields (the last one empty,
    // so every line ends with a separator). Columns 0..7 are loaded.
    static const TableFile &articles();
    // Department file: rows 1..8, 6 columns, 6 fields. Columns 0..4 are loaded.
    static const TableFile &departments();

    QString defaultFileName(const QString &serialNumber) const { return m_prefix + serialNumber + QStringLiteral(".CSV"); }
    int rowCount() const { return m_rowCount; }
    int columnsLoaded() const { return m_columnsLoaded; }

    // The file's bytes for the given rows (missing cells are written empty).
    QByteArray save(const QList<QStringList> &rows, QChar separator) const;

    // The loaded columns of each line, at most rowCount() lines. A tax field
    // holding one digit 0..8 becomes the tax label at that index.
    QList<QStringList> load(const QByteArray &bytes, QChar separator) const;

    // The open dialog's filter, in the system's own notation and for Qt.
    static QString filterText();
    static QString qtFilter();

private:
    TableFile(QString prefix, int rowCount, QList<Quoting> fields, bool trailingSeparator, int columnsLoaded,
              int taxColumn);

    QString m_prefix;
    int m_rowCount;
    QList<Quoting> m_fields;
    bool m_trailingSeparator;
    int m_columnsLoaded;
    int m_taxColumn;
};
