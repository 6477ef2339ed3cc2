#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class ArticleFamily;
class QWidget;
class TableFileActions;

// The file buttons of the article and department boxes ("Снимање у фаjл",
// "Читање из фајла"): each asks for a file through the file dialogs, named
// after the register's serial number, and hands it to the table-file
// actions.
class TableFileButtons : public QObject {
    Q_OBJECT
public:
    // `window` owns the dialogs and holds the four buttons, looked up by name.
    TableFileButtons(TableFileActions &actions, ArticleFamily &articles, std::function<QString()> serialNumber,
                     QWidget *window);

public slots:
    void btnAFSaveClick();
    void btnAFLoadClick();
    void BtnOFileSaveClick();
    void BtnOFileReadClick();

private:
    TableFileActions &m_actions;
    ArticleFamily &m_articles;
    std::function<QString()> m_serialNumber;
    QPointer<QWidget> m_window;
};
