#pragma once

#include "core/regional.h"
#include "transfer/parameterfamily.h"

class ArticleFamily;
class DepartmentFamily;
class TableFile;

// Saving and loading the article table and the department table. A file
// that cannot be read or written is reported with the system's error in the
// general error report; success is reported only after a complete save. A
// file with zero bytes, or in which no line has the fields of its kind, is
// refused and the table stays as it was.
class TableFileActions : public ParameterFamily {
    Q_OBJECT
public:
    TableFileActions(ArticleFamily &articles, DepartmentFamily &departments, Regional regional,
                     QObject *parent = nullptr);

    // The work behind the file buttons, once a file is chosen.
    bool saveArticles(const QString &path);
    bool loadArticles(const QString &path);
    bool saveDepartments(const QString &path);
    bool loadDepartments(const QString &path);

signals:
    // A table was saved whole to a file / loaded from one (the family's name).
    void tableSaved(const QString &family);
    void tableLoaded(const QString &family);

private:
    // How the messages name a file's kind ("датотека артикала", "поља артикла").
    struct Kind {
        QString ofFile;
        QString ofLine;
    };
    // The file read whole into `rows` before any row of the table changes;
    // a file that is no table file of its kind is refused with a message.
    bool readTable(const QString &path, const TableFile &kind, const Kind &names, QList<QStringList> *rows);
    // Saved whole or not at all; a complete save is told to the table states,
    // then in the information message and the status line naming the file.
    bool save(const QString &path, const QByteArray &bytes, const QString &family);

    ArticleFamily &m_articles;
    DepartmentFamily &m_departments;
    Regional m_regional;
};
