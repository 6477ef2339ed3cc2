#include "sync/profileactions.h"

#include "widgets/filedialogs.h"
#include "edit/stepnames.h"
#include "profile/profilefolder.h"
#include "session/profilebridge.h"
#include "session/registersession.h"
#include "sync/transfersdialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace {
const QString ErrorTitle = QStringLiteral("Грешка !!! ");
} // namespace

ProfileActions::ProfileActions(RegisterSession &session, TransfersDialog &dialog)
    : QObject(&dialog), m_session(session), m_dialog(dialog)
{
    for (QPushButton *b : {dialog.profileSaveButton(), dialog.profileLoadButton()})
        b->setEnabled(true);
    connect(dialog.profileSaveButton(), &QPushButton::clicked, this, &ProfileActions::btnProfileSaveClick);
    connect(dialog.profileLoadButton(), &QPushButton::clicked, this, &ProfileActions::btnProfileLoadClick);
}

bool ProfileActions::withPasswords() const
{
    const auto *box = m_dialog.findChild<QCheckBox *>(QStringLiteral("chkFamPasswords"));
    return box && box->isChecked();
}

void ProfileActions::btnProfileSaveClick()
{
    const QString folder = FileDialogs::askFolder(&m_dialog, QStringLiteral("Сачувај профил"));
    if (folder.isEmpty())
        return;
    ProfileFamilies families = ProfileFamilyNames::withoutSecrets();
    if (withPasswords())
        families |= ProfileFamily::Passwords;
    const RegisterProfile profile = ProfileBridge::fromSession(m_session, families);
    ProfileError error;
    if (!ProfileFolder::write(folder, profile, families, &error)) {
        emit m_session.message(ErrorTitle, error.text);
        return;
    }
    emit m_session.status(QStringLiteral("Профил сачуван у %1").arg(folder));
}

void ProfileActions::btnProfileLoadClick()
{
    const QString folder = FileDialogs::askFolder(&m_dialog, QStringLiteral("Учитај профил"));
    if (folder.isEmpty())
        return;
    RegisterProfile profile;
    ProfileError error;
    std::optional<ProfileFamilies> families;
    if (withPasswords())
        families = ProfileFamilyNames::allFamilies();
    if (!ProfileFolder::read(folder, m_session.regional(), families, &profile, &error)) {
        emit m_session.message(ErrorTitle, error.text);
        return;
    }
    ProfileBridge::applyAsStep(profile, m_session, ProfileFamilyNames::allFamilies(), StepNames::ProfileLoad);
    emit m_session.status(QStringLiteral("Профил учитан из %1").arg(folder));
}
