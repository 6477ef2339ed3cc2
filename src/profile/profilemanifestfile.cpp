#include "profile/profilemanifestfile.h"

#include "profile/recordranges.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace ProfileManifestFile {

const QString FileName = QStringLiteral("profile.json");

namespace {

const QString FormatVersionKey = QStringLiteral("formatVersion");
const QString ProgramVersionKey = QStringLiteral("programVersion");
const QString SerialNumberKey = QStringLiteral("serialNumber");
const QString CreatedKey = QStringLiteral("created");
const QString DecimalKey = QStringLiteral("decimalSeparator");
const QString ListKey = QStringLiteral("listSeparator");
const QString LogoHeightKey = QStringLiteral("logoHeight");
const QString FamiliesKey = QStringLiteral("families");
const QString KnownKey = QStringLiteral("knownRecords");
// More records than any family holds (4000 articles, 198 logo rows).
constexpr int MaxRecords = 4000;

constexpr int MaxLogoHeight = 198;

int lineAt(const QByteArray &bytes, qsizetype offset)
{
    return int(bytes.left(offset).count('\n')) + 1;
}

// The line a key stands on, for the message; 0 when it is not there.
int lineOfKey(const QByteArray &bytes, const QString &key)
{
    const qsizetype at = bytes.indexOf('"' + key.toUtf8() + '"');
    return at < 0 ? 0 : lineAt(bytes, at);
}

class ManifestFields {
public:
    ManifestFields(const QByteArray &bytes, const QJsonObject &object, ProfileError *error)
        : m_bytes(bytes), m_object(object), m_error(error)
    {
    }

    bool fail(const QString &key, const QString &what) { return failAt(key, lineOfKey(m_bytes, key), what); }
    bool failAt(const QString &key, int line, const QString &what)
    {
        *m_error = ProfileError::damaged(FileName, line, key, what);
        return false;
    }

    bool present(const QString &key)
    {
        if (m_object.contains(key))
            return true;
        return fail(key, QStringLiteral("поље недостаје"));
    }

    bool integer(const QString &key, int *out)
    {
        if (!present(key))
            return false;
        const QJsonValue value = m_object.value(key);
        const double d = value.toDouble(-1.5);
        if (!value.isDouble() || d != double(int(d)))
            return fail(key, QStringLiteral("очекује се цео број"));
        *out = int(d);
        return true;
    }

    bool text(const QString &key, QString *out)
    {
        if (!present(key))
            return false;
        if (!m_object.value(key).isString())
            return fail(key, QStringLiteral("очекује се текст"));
        *out = m_object.value(key).toString();
        return true;
    }

    bool character(const QString &key, QChar *out)
    {
        QString value;
        if (!text(key, &value))
            return false;
        if (value.size() != 1 || value[0] == QLatin1Char('"') || value[0].isLetterOrNumber() || value[0].isSpace())
            return fail(key, QStringLiteral("„%1“ није знак за раздвајање").arg(value));
        *out = value[0];
        return true;
    }

private:
    const QByteArray &m_bytes;
    const QJsonObject &m_object;
    ProfileError *m_error;
};

} // namespace

QByteArray write(const ProfileManifest &manifest, ProfileFamilies families)
{
    QJsonArray names;
    for (ProfileFamily f : ProfileFamilyNames::all())
        if (families.testFlag(f))
            names.append(ProfileFamilyNames::name(f));
    QJsonObject object;
    object.insert(FormatVersionKey, ProfileManifest::CurrentFormatVersion);
    object.insert(ProgramVersionKey, manifest.programVersion);
    object.insert(SerialNumberKey, manifest.serialNumber);
    object.insert(CreatedKey, manifest.created.toString(Qt::ISODate));
    object.insert(DecimalKey, QString(manifest.separators.decimal));
    object.insert(ListKey, QString(manifest.separators.list));
    object.insert(LogoHeightKey, manifest.logoHeight);
    object.insert(FamiliesKey, names);
    if (!manifest.knownRecords.isEmpty()) {
        QJsonObject known;
        for (auto it = manifest.knownRecords.cbegin(); it != manifest.knownRecords.cend(); ++it)
            known.insert(it.key(), RecordRanges::toText(it.value()));
        object.insert(KnownKey, known);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool read(const QByteArray &bytes, ProfileManifest *manifest, ProfileFamilies *families, ProfileError *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = ProfileError::damaged(FileName, lineAt(bytes, parseError.offset), QString(),
                                       QStringLiteral("није исправан JSON (%1)").arg(parseError.errorString()));
        return false;
    }
    if (!document.isObject()) {
        *error = ProfileError::damaged(FileName, 1, QString(), QStringLiteral("очекује се JSON објекат"));
        return false;
    }
    const QJsonObject object = document.object();
    ManifestFields fields(bytes, object, error);
    ProfileManifest result;
    if (!fields.integer(FormatVersionKey, &result.formatVersion))
        return false;
    if (result.formatVersion != ProfileManifest::CurrentFormatVersion)
        return fields.fail(FormatVersionKey, QStringLiteral("верзија формата %1 није позната (програм чита верзију %2)")
                                                 .arg(result.formatVersion)
                                                 .arg(ProfileManifest::CurrentFormatVersion));
    QString created;
    if (!fields.text(ProgramVersionKey, &result.programVersion) || !fields.text(SerialNumberKey, &result.serialNumber)
        || !fields.text(CreatedKey, &created))
        return false;
    result.created = QDateTime::fromString(created, Qt::ISODate);
    if (!result.created.isValid())
        return fields.fail(CreatedKey, QStringLiteral("„%1“ није исправно време").arg(created));
    if (!fields.character(DecimalKey, &result.separators.decimal) || !fields.character(ListKey, &result.separators.list))
        return false;
    if (result.separators.decimal == result.separators.list)
        return fields.fail(ListKey, QStringLiteral("исти је као децимални знак"));
    if (!fields.integer(LogoHeightKey, &result.logoHeight))
        return false;
    if (result.logoHeight < 0 || result.logoHeight > MaxLogoHeight)
        return fields.fail(LogoHeightKey, QStringLiteral("%1 није између 0 и %2").arg(result.logoHeight).arg(MaxLogoHeight));
    if (!fields.present(FamiliesKey))
        return false;
    if (!object.value(FamiliesKey).isArray())
        return fields.fail(FamiliesKey, QStringLiteral("очекује се списак"));
    ProfileFamilies listed;
    for (const QJsonValue &name : object.value(FamiliesKey).toArray()) {
        ProfileFamily family;
        if (!ProfileFamilyNames::fromName(name.toString(), &family))
            return fields.failAt(FamiliesKey, qMax(lineOfKey(bytes, name.toString()), lineOfKey(bytes, FamiliesKey)),
                                 QStringLiteral("„%1“ није позната група параметара").arg(name.toString()));
        listed |= family;
    }
    if (object.contains(KnownKey)) {
        if (!object.value(KnownKey).isObject())
            return fields.fail(KnownKey, QStringLiteral("очекује се објекат"));
        const QJsonObject known = object.value(KnownKey).toObject();
        for (auto it = known.constBegin(); it != known.constEnd(); ++it) {
            ProfileFamily family;
            QList<int> records;
            if (!ProfileFamilyNames::fromName(it.key(), &family))
                return fields.fail(KnownKey, QStringLiteral("„%1“ није позната група параметара").arg(it.key()));
            if (!it.value().isString() || !RecordRanges::fromText(it.value().toString(), MaxRecords, &records))
                return fields.fail(KnownKey, QStringLiteral("„%1“ нису бројеви записа").arg(it.value().toString()));
            result.knownRecords.insert(it.key(), records);
        }
    }
    *manifest = result;
    *families = listed;
    return true;
}

} // namespace ProfileManifestFile
