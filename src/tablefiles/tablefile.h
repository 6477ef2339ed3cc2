#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class LineFieldScanner;

// What a table file holds, read before any table row is touched.
struct TableFileContent {
    enum class Problem {
        None,
        NulByte,         // a zero byte: no text file
        NoLineOfItsKind, // not one line has the fields of the file's kind
    };
    QList<QStringList> rows; // the loaded columns of each line, as TableFile::load gives them
    Problem problem = Problem::None;
    int badLine = 0;       // the first bad line, from 1
    QString badLineStart;  // its first characters
    int cutCells = 0;      // cells cut to TableFile::CellLimit
};

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

    // No cell of the register is near this long; a longer cell is cut while
    // loading, so that a huge line costs neither memory nor time.
    static constexpr int CellLimit = 250;

    // The loaded columns of each line, at most rowCount() lines. A tax field
    // holding one digit 0..8 becomes the tax label at that index.
    QList<QStringList> load(const QByteArray &bytes, QChar separator) const;

    // Reads a file as its bytes come in, keeping a bounded part of each line.
    // A line is of the file's kind when it has between columnsLoaded() and
    // all fields of a written line and its first field is a row number.
    class Reader {
    public:
        Reader(const TableFile &kind, QChar separator);
        ~Reader();
        void feed(const char *data, qsizetype size);
        // The rows and the first problem found; rows are kept even when
        // there is a problem, and the caller decides.
        TableFileContent finish();
        // A zero byte was found: the file is refused whatever follows.
        bool refused() const { return m_content.problem != TableFileContent::Problem::None; }

    private:
        void take(int number, const QList<QByteArray> &raw, int fieldCount, bool hasNul, const QByteArray &start);

        const TableFile &m_kind;
        std::unique_ptr<LineFieldScanner> m_scanner;
        TableFileContent m_content;
        bool m_anyOfKind = false;
        int m_firstNotOfKind = 0;
        QString m_firstNotOfKindStart;
    };
    TableFileContent read(const QByteArray &bytes, QChar separator) const;

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
