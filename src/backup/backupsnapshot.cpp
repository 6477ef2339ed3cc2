#include "backup/backupsnapshot.h"

#include "params/logo/logopasswordrecord.h"
#include "params/logo/logopicture.h"
#include "protocol/fields.h"
#include "session/profilebridge.h"
#include "catalogue/familycatalogue.h"
#include "transfer/parameterfamily.h"
#include "session/registersession.h"

namespace BackupSnapshot {

namespace {

const QString LogoPassword = QStringLiteral("logopassword");

// The cells of a table row that are not the register's to hold.
int fixedCells(ProfileFamily family)
{
    return family == ProfileFamily::Header ? 0 : 1; // the number, or the tax label
}

// Fills a family's rows from the mirror; gives the known record indexes.
QList<int> fillRows(QList<QStringList> &rows, ProfileFamily family, const QString &transfer,
                    const RegisterMirror &mirror, RegisterSession &session)
{
    const QHash<int, QByteArray> held = mirror.family(transfer);
    const int fixed = fixedCells(family);
    QList<int> known;
    for (int r = 0; r < rows.size(); ++r) {
        QStringList &row = rows[r];
        for (int c = fixed; c < row.size(); ++c)
            row[c].clear();
        const auto h = held.constFind(r);
        if (h == held.constEnd())
            continue;
        known << r;
        for (const RecordField &f : session.family(transfer)->recordFields(*h, session.regional()))
            if (f.column >= fixed && f.column < row.size())
                row[f.column] = f.text;
    }
    return known;
}

QList<int> fillLogo(RegisterProfile &profile, const RegisterMirror &mirror)
{
    QImage picture = LogoPicture::blank(LogoPicture::MaxHeight);
    const QHash<int, QByteArray> rows = mirror.family(FamilyCatalogue::key(FamilyId::Logo));
    QList<int> known;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        if (it.key() < 0 || it.key() >= LogoPicture::MaxHeight)
            continue;
        LogoPicture::drawRow(picture, it.key(), it.value().mid(1, LogoPicture::RowBytes));
        known << it.key();
    }
    std::sort(known.begin(), known.end());
    profile.logo = picture;
    return known;
}

} // namespace

bool profileFamily(const QString &transfer, ProfileFamily *family)
{
    const FamilyDescription *d = FamilyCatalogue::find(transfer);
    if (!d)
        return false;
    *family = d->id;
    return true;
}

RegisterProfile take(RegisterSession &session, const QStringList &families)
{
    ProfileFamilies tables;
    QList<QPair<ProfileFamily, QString>> chosen;
    for (const QString &transfer : families) {
        ProfileFamily family;
        if (!profileFamily(transfer, &family))
            continue;
        chosen.append({family, transfer});
        if (family != ProfileFamily::Logo && family != ProfileFamily::Passwords)
            tables |= family;
    }
    RegisterProfile profile = ProfileBridge::fromSession(session, tables);
    const RegisterMirror &mirror = session.mirror();
    const std::optional<QByteArray> record = mirror.known(LogoPassword, 0);
    // The record as a write carries it: service password, report password, logo height.
    const bool recordKnown = record && record->size() >= LogoPasswordRecord::RecordSize;
    if (recordKnown)
        profile.manifest.logoHeight = qMin(int(Fields::byteAt(*record, 8)), LogoPicture::MaxHeight);
    for (const auto &[family, transfer] : chosen) {
        QList<int> known;
        switch (family) {
        case ProfileFamily::Header: {
            QList<QStringList> rows;
            for (const QString &line : *profile.headerLines)
                rows << QStringList{line};
            known = fillRows(rows, family, transfer, mirror, session);
            QStringList lines;
            for (const QStringList &row : rows)
                lines << row.value(0);
            profile.headerLines = lines;
            break;
        }
        case ProfileFamily::Taxes: known = fillRows(*profile.taxRates, family, transfer, mirror, session); break;
        case ProfileFamily::Departments:
            known = fillRows(*profile.departments, family, transfer, mirror, session);
            break;
        case ProfileFamily::Articles:
            known = fillRows(*profile.articles, family, transfer, mirror, session);
            break;
        case ProfileFamily::Groups: known = fillRows(*profile.groups, family, transfer, mirror, session); break;
        case ProfileFamily::Operators:
            known = fillRows(*profile.operators, family, transfer, mirror, session);
            break;
        case ProfileFamily::Logo: known = fillLogo(profile, mirror); break;
        case ProfileFamily::Passwords:
            if (recordKnown) {
                profile.passwords = ProfilePasswords{QString::number(Fields::getU32(*record, 0)),
                                                     QString::number(Fields::getU32(*record, 4))};
                known << 0;
            }
            break;
        }
        profile.manifest.knownRecords.insert(ProfileFamilyNames::name(family), known);
    }
    return profile;
}

} // namespace BackupSnapshot
