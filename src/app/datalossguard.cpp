#include "app/datalossguard.h"

#include "app/messagedialog.h"
#include "params/common/familybox.h"
#include "transfer/parameterfamily.h"
#include "catalogue/familycatalogue.h"
#include "session/registersession.h"
#include "session/tablestates.h"

#include <QAbstractButton>
#include <QDebug>
#include <QHash>
#include <QWidget>

const QString DataLossGuard::Title = QStringLiteral("Пажња!!! ");
const QString DataLossGuard::DefaultsText =
    QStringLiteral("Табела садржи само почетне вредности. Преписати њима податке у каси?");

DataLossGuard::DataLossGuard(RegisterSession &session, QWidget *window)
    : QObject(window), m_session(session), m_window(window)
{
}

void DataLossGuard::guardWriteButtons()
{
    for (ParameterFamily *family : m_session.families()) {
        const QString key = FamilyCatalogue::key(family->id());
        QAbstractButton *button = FamilyBox::writeButton(m_window, key);
        if (!button)
            continue; // a family without a box on the pages
        // The box wired the button straight to the write; the question goes
        // in between. A button wired some other way is left alone rather than
        // writing twice.
        if (!QObject::disconnect(button, SIGNAL(clicked(bool)), family, nullptr)) {
            qWarning() << "No write to guard behind" << button->objectName();
            continue;
        }
        connect(button, &QAbstractButton::clicked, family, [this, family, key] {
            if (mayWrite(key))
                family->write();
        });
        m_guarded << key;
    }
}

bool DataLossGuard::ask(const QString &text)
{
    if (!m_dialog)
        return true;
    return m_dialog->ask(Title, text);
}

bool DataLossGuard::mayWrite(const QString &family)
{
    return !m_session.tableStates().holdsOnlyDefaults(family) || ask(DefaultsText);
}

QStringList DataLossGuard::mayWrite(const QStringList &families)
{
    QStringList defaults;
    QStringList edited;
    for (const QString &family : families)
        (m_session.tableStates().holdsOnlyDefaults(family) ? defaults : edited) << family;
    if (defaults.isEmpty() || ask(defaultsText(defaults)))
        return families;
    return edited;
}

bool DataLossGuard::mayClose()
{
    const QStringList unsaved = m_session.tableStates().withUnsavedEdits();
    return unsaved.isEmpty() || ask(closeText(unsaved));
}

QString DataLossGuard::defaultsText(const QStringList &families)
{
    // Named as the transfers dialog names them.
    QStringList shown;
    for (const QString &family : families)
        shown << FamilyCatalogue::titleOf(family);
    const QString text = families.size() == 1
                             ? QStringLiteral("Табела садржи само почетне вредности: %1. Преписати њима податке у каси?")
                             : QStringLiteral("Табеле садрже само почетне вредности: %1. Преписати њима податке у каси?");
    return text.arg(shown.join(QStringLiteral(", ")));
}

QString DataLossGuard::closeText(const QStringList &families)
{
    QStringList shown;
    for (const QString &family : families)
        shown << FamilyCatalogue::titleOf(family);
    return QStringLiteral("Измене нису сачуване у датотеку ни уписане у касу: %1. Ипак затворити програм?")
        .arg(shown.join(QStringLiteral(", ")));
}
