#include "app/datalossguard.h"

#include "app/messagedialog.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/recordfields.h"
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

template <typename Family>
void DataLossGuard::guard(const char *buttonName, const QString &name, Family &family, void (Family::*write)())
{
    auto *button = m_window->findChild<QAbstractButton *>(QString::fromLatin1(buttonName));
    // The box wired the button straight to the write; the question goes in
    // between. A button wired some other way is left alone rather than
    // writing twice.
    if (!button || !QObject::disconnect(button, &QAbstractButton::clicked, &family, write)) {
        qWarning() << "No write to guard behind" << buttonName;
        return;
    }
    connect(button, &QAbstractButton::clicked, &family, [this, &family, write, name] {
        if (mayWrite(name))
            (family.*write)();
    });
    m_guarded << name;
}

void DataLossGuard::guardWriteButtons()
{
    RegisterSession &s = m_session;
    guard("btnWriteCliche", s.headerLines().transfer().rules().family, s.headerLines(),
          &HeaderLineFamily::btnWriteClicheClick);
    guard("btnTGWrite", s.taxRates().transfer().rules().family, s.taxRates(), &TaxRateFamily::btnTGWriteClick);
    guard("btnSTWrite", s.departments().transfer().rules().family, s.departments(),
          &DepartmentFamily::btnSTWriteClick);
    guard("btnAWrite", s.articles().transfer().rules().family, s.articles(), &ArticleFamily::btnAWriteClick);
    guard("BtnGWrite", s.groups().transfer().rules().family, s.groups(), &GroupFamily::BtnGWriteClick);
    guard("BtnOWrite", s.operators().transfer().rules().family, s.operators(), &OperatorFamily::BtnOWriteClick);
    guard("btnLogoWrite", s.logo().rows().rules().family, s.logo(), &LogoFamily::btnLogoWriteClick);
    guard("BtnLozinkaWrite", TableStates::PasswordsFamily, s.passwords(), &PasswordFamily::BtnLozinkaWriteClick);
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

QString DataLossGuard::displayName(const QString &family)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("headerlines"), QStringLiteral("Заглавље и поруке")},
        {QStringLiteral("taxrates"), QStringLiteral("Пореске стопе")},
        {QStringLiteral("departments"), QStringLiteral("Одељења")},
        {QStringLiteral("articles"), QStringLiteral("Артикли")},
        {QStringLiteral("groups"), QStringLiteral("Групе")},
        {QStringLiteral("operators"), QStringLiteral("Оператери")},
        {QStringLiteral("logo"), QStringLiteral("Графички лого")},
        {QStringLiteral("passwords"), QStringLiteral("Лозинке")},
    };
    return names.value(family, family);
}

QString DataLossGuard::defaultsText(const QStringList &families)
{
    // Named as the transfers dialog names them.
    QStringList shown;
    for (const QString &family : families)
        shown << familyTitle(family);
    const QString text = families.size() == 1
                             ? QStringLiteral("Табела садржи само почетне вредности: %1. Преписати њима податке у каси?")
                             : QStringLiteral("Табеле садрже само почетне вредности: %1. Преписати њима податке у каси?");
    return text.arg(shown.join(QStringLiteral(", ")));
}

QString DataLossGuard::closeText(const QStringList &families)
{
    QStringList shown;
    for (const QString &family : families)
        shown << displayName(family);
    return QStringLiteral("Измене нису сачуване у датотеку ни уписане у касу: %1. Ипак затворити програм?")
        .arg(shown.join(QStringLiteral(", ")));
}
