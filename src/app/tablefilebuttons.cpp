#include "app/tablefilebuttons.h"

#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "tablefiles/tablefileactions.h"
#include "session/registersession.h"
#include "session/tablestates.h"

#include <QPushButton>
#include <QWidget>

namespace TableFileButtons {

std::unique_ptr<TableFileActions> connect(QWidget *window, RegisterSession &session,
                                          std::function<QString()> serialNumber)
{
    auto actions = std::make_unique<TableFileActions>(session.articles(), session.departments(), session.regional(),
                                                      std::move(serialNumber));
    actions->setDialogParent(window);
    TableFileActions *a = actions.get();
    const auto wire = [window, a](const char *name, void (TableFileActions::*handler)()) {
        if (auto *b = window->findChild<QPushButton *>(QString::fromLatin1(name)))
            QObject::connect(b, &QPushButton::clicked, a, handler);
    };
    TableStates &states = session.tableStates();
    QObject::connect(a, &TableFileActions::tableSaved, &states, &TableStates::saved);
    QObject::connect(a, &TableFileActions::tableLoaded, &states, &TableStates::loaded);
    wire("btnAFSave", &TableFileActions::btnAFSaveClick);
    wire("btnAFLoad", &TableFileActions::btnAFLoadClick);
    wire("BtnOFileSave", &TableFileActions::BtnOFileSaveClick);
    wire("BtnOFileRead", &TableFileActions::BtnOFileReadClick);
    return actions;
}

} // namespace TableFileButtons
