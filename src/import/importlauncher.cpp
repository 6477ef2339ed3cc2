#include "import/importlauncher.h"

#include "import/importapply.h"
#include "import/importwindow.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/registersession.h"

#include <QPointer>
#include <QPushButton>

namespace ImportLauncher {

namespace {

template <typename Model>
ImportWindow *windowFor(QWidget *window, RegisterSession &session, const ImportTarget &target, Model &model)
{
    return new ImportWindow(
        target,
        [&session, &model] {
            ImportRequest r = ImportApply::requestFor(model, session.regional());
            r.rates = ImportApply::ratesOf(session.taxRates().table(), session.regional());
            return r;
        },
        [&model](const ImportPlan &plan) { ImportApply::apply(model, plan); }, window);
}

template <typename Make>
void tie(QWidget *window, const char *name, Make make)
{
    auto *b = window->findChild<QPushButton *>(QString::fromLatin1(name));
    if (!b)
        return;
    auto *opened = new QPointer<ImportWindow>();
    QObject::connect(b, &QPushButton::destroyed, [opened] { delete opened; });
    QObject::connect(b, &QPushButton::clicked, window, [opened, make] {
        if (!*opened)
            *opened = make();
        (*opened)->exec();
    });
}

} // namespace

void attach(QWidget *window, RegisterSession &session)
{
    tie(window, "btnAImport",
        [window, &session] { return windowFor(window, session, ImportTarget::articles(), session.articles().model()); });
    tie(window, "btnOImport", [window, &session] {
        return windowFor(window, session, ImportTarget::departments(), session.departments().model());
    });
}

} // namespace ImportLauncher
