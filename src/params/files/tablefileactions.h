#pragma once

#include "link/regional.h"
#include "params/common/parameterfamily.h"

#include <QPointer>
#include <functional>

class ArticleFamily;
class DepartmentFamily;
#include <QWidget>

// Saving and loading the article table and the department table. A file
// that cannot be read or written is reported with the system's error in the
// general error report; success is reported only after a complete save.
class TableFileActions : public ParameterFamily {
    Q_OBJECT
public:
    TableFileActions(ArticleFamily &articles, DepartmentFamily &departments, Regional regional,
                     std::function<QString()> serialNumber, QObject *parent = nullptr);

    // The window the file dialogs belong to.
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }

    // The work behind the buttons, without the dialogs.
    bool saveArticles(const QString &path);
    bool loadArticles(const QString &path);
    bool saveDepartments(const QString &path);
    bool loadDepartments(const QString &path);

public slots:
    void btnAFSaveClick();
    void btnAFLoadClick();
    void BtnOFileSaveClick();
    void BtnOFileReadClick();

private:
    bool save(const QString &path, const QByteArray &bytes);
    // The information message, then the status line naming the file.
    void reportSaved(const QString &path);

    ArticleFamily &m_articles;
    DepartmentFamily &m_departments;
    Regional m_regional;
    std::function<QString()> m_serialNumber;
    QPointer<QWidget> m_dialogParent;
};
