#include "cli/wholefamilycompare.h"

#include "params/logo/logofamily.h"
#include "params/passwords/passwordfamily.h"
#include "profile/profilefolder.h"
#include "session/profilebridge.h"
#include "catalogue/familycatalogue.h"
#include "session/registersession.h"

namespace WholeFamilyCompare {

QList<RecordDifference> differences(RegisterSession &session, const RegisterProfile &profile, ProfileFamily family,
                                    const QMap<int, QByteArray> &received)
{
    const QString name = FamilyCatalogue::key(family);
    QList<RecordDifference> found;
    if (family == ProfileFamily::Passwords) {
        const QString inRegister[] = {session.passwords().serviceText(), session.passwords().reportText()};
        ProfileBridge::apply(profile, session, family);
        const ProfilePasswords want = profile.passwords.value_or(ProfilePasswords());
        const QString inProfile[] = {want.service, want.report};
        for (int i = 0; i < 2; ++i)
            if (PasswordFamily::parse(inRegister[i]) != PasswordFamily::parse(inProfile[i]))
                found << RecordDifference{name, i, ProfileFolder::passwordCaption(i), inProfile[i], inRegister[i], -1};
        return found;
    }
    // The logo: the read replaced the picture, so the profile's goes back;
    // then the height the register reported and the rows are compared.
    TransferEngine &engine = session.logo().rows();
    ProfileBridge::apply(profile, session, family);
    const int inRegister = session.logo().record().logoHeight();
    const int inProfile = profile.manifest.logoHeight;
    if (inRegister != inProfile)
        found << RecordDifference{name, -1, QStringLiteral("Висина"), QString::number(inProfile),
                                  QString::number(inRegister), -1};
    const Regional &regional = session.regional();
    for (int index = 0; index < qMin(inRegister, inProfile); ++index) {
        const QByteArray want = engine.rules().writeRequest(index).value_or(QByteArray());
        const QByteArray got = received.value(index);
        if (want != got)
            found << RecordDifference{name, index, QStringLiteral("Тачке"),
                                      session.logo().recordFields(want, regional).value(0).text,
                                      session.logo().recordFields(got, regional).value(0).text, -1};
    }
    return found;
}

} // namespace WholeFamilyCompare
