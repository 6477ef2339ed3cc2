#include "tablefiles/tablefilebuttons.h"

#include "params/articles/articlefamily.h"
#include "tablefiles/tablefile.h"
#include "tablefiles/tablefileactions.h"
#include "widgets/filedialogs.h"

#include <QPushButton>
#include <QWidget>

TableFileButtons::TableFileButtons(TableFileActions &actions, ArticleFamily &articles,
                                   std::function<QString()> serialNumber, QWidget *window)
    : QObject(window), m_actions(actions), m_articles(articles), m_serialNumber(std::move(serialNumber)),
      m_window(window)
{
    const auto tie = [this, window](const char *name, void (TableFileButtons::*handler)()) {
        if (auto *b = window ? window->findChild<QPushButton *>(QString::fromLatin1(name)) : nullptr)
            connect(b, &QPushButton::clicked, this, handler);
    };
    tie("btnAFSave", &TableFileButtons::btnAFSaveClick);
    tie("btnAFLoad", &TableFileButtons::btnAFLoadClick);
    tie("BtnOFileSave", &TableFileButtons::BtnOFileSaveClick);
    tie("BtnOFileRead", &TableFileButtons::BtnOFileReadClick);
}

void TableFileButtons::btnAFSaveClick()
{
    const QString path = FileDialogs::askSavePath(m_window, TableFile::articles().defaultFileName(m_serialNumber()),
                                                  TableFile::qtFilter());
    if (!path.isEmpty())
        m_actions.saveArticles(path);
}

void TableFileButtons::btnAFLoadClick()
{
    const QString path = FileDialogs::askOpenPath(m_window, TableFile::articles().defaultFileName(m_serialNumber()),
                                                  TableFile::qtFilter());
    if (!path.isEmpty())
        m_actions.loadArticles(path);
    // Loaded or not, the table and the edit controls show row 1.
    m_articles.showFirstRowAfterLoad();
}

void TableFileButtons::BtnOFileSaveClick()
{
    const QString path = FileDialogs::askSavePath(
        m_window, TableFile::departments().defaultFileName(m_serialNumber()), TableFile::qtFilter());
    if (!path.isEmpty())
        m_actions.saveDepartments(path);
}

void TableFileButtons::BtnOFileReadClick()
{
    const QString path = FileDialogs::askOpenPath(
        m_window, TableFile::departments().defaultFileName(m_serialNumber()), TableFile::qtFilter());
    if (!path.isEmpty())
        m_actions.loadDepartments(path);
}
