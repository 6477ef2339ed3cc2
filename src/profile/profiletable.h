#pragma once

#include "core/regional.h"
#include "profile/profilecells.h"
#include "profile/profileerror.h"
#include "profile/profilefamily.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TableFile;

// One table file of a profile: code page 1251, CR LF, the list separator
// between fields, one record per line with its number first. Text fields are
// quoted as in the program's article file, numbers bare. The article and
// department tables are written by the program's own table files, so their
// files are exactly the program's.
class ProfileTable {
public:
    struct Column {
        QString title; // the table's heading, used in messages
        CellKind kind;
    };

    static const ProfileTable &headerLines();
    static const ProfileTable &taxRates();
    static const ProfileTable &departments();
    static const ProfileTable &articles();
    static const ProfileTable &groups();
    static const ProfileTable &operators();
    static const ProfileTable &passwords();
    // The table file of a family (none for the logo, which is a picture).
    static const ProfileTable *of(ProfileFamily family);
    static const ProfileTable *addedFamily(ProfileFamily family);

    const QString &fileName() const { return m_fileName; }
    int rowCount() const { return m_rowCount; }
    // The cells of one row in the profile (the number column included when
    // the table has one).
    int columnCount() const { return int(m_columns.size()); }
    // The number a record carries in the file (record 0 of the groups is
    // group 0, of the articles article 1).
    int recordNumber(int record) const { return m_firstNumber + record; }

    // The file's bytes. Every row is checked first: a table of the wrong size
    // or a cell that is not of its kind refuses the whole file, naming the
    // line and the field it would have had.
    bool write(const QList<QStringList> &rows, const Regional &regional, QByteArray *bytes,
               ProfileError *error) const;

    // The rows of a file written with the separators `from`, their numbers
    // carried to the separators `to`. Refused as a whole when a record is
    // missing or short, a number is bad, or a line follows the last record.
    bool read(const QByteArray &bytes, const Regional &from, const Regional &to, QList<QStringList> *rows,
              ProfileError *error) const;

private:
    ProfileTable(QString fileName, int rowCount, int firstNumber, bool numberInTable, QList<Column> columns,
                 const TableFile *programFile = nullptr);

    int fieldCount() const { return columnCount() + (m_numberInTable ? 0 : 1); }
    QString fieldTitle(int field) const;

    QString m_fileName;
    int m_rowCount;
    int m_firstNumber;
    // Column 0 of the table is the record number; otherwise the file adds it.
    bool m_numberInTable;
    QList<Column> m_columns;
    const TableFile *m_programFile;
};
