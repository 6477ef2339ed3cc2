#include "app/standardtexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace StandardTexts {

bool install(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/qtbase_sr.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace StandardTexts
