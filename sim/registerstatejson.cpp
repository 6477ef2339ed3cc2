// The register state as a JSON document and as a file.
#include "sim/registerstate.h"
#include "protocol/fields.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringList>
#include <cmath>
#include <cstdlib>

namespace {

constexpr char kFormat[] = "vilaron-register-state";
constexpr int kVersion = 1;

QJsonValue hexValue(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex()); }

QJsonObject amountObject(const RegisterAmount &a)
{
    return QJsonObject{{QStringLiteral("whole"), double(a.whole)}, {QStringLiteral("hundredths"), a.hundredths}};
}

// Reads the fields of a JSON object, remembering the first problem met.
class Reader {
public:
    QString error;

    bool ok() const { return error.isEmpty(); }

    void fail(const QString &where, const QString &what)
    {
        if (error.isEmpty())
            error = QStringLiteral("%1: %2").arg(where, what);
    }

    QJsonValue member(const QJsonObject &obj, const QString &where, const char *key)
    {
        const QJsonValue v = obj.value(QLatin1String(key));
        if (v.isUndefined())
            fail(where, QStringLiteral("missing \"%1\"").arg(QLatin1String(key)));
        return v;
    }

    QByteArray hex(const QJsonObject &obj, const QString &where, const char *key, int size)
    {
        return hexOf(member(obj, where, key), where + QLatin1Char('.') + QLatin1String(key), size);
    }

    QByteArray hexOf(const QJsonValue &v, const QString &where, int size)
    {
        if (!ok())
            return QByteArray(size, '\0');
        const QString text = v.toString();
        bool valid = v.isString() && text.size() == 2 * size;
        for (QChar c : text)
            valid = valid && ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'));
        if (!valid) {
            fail(where, QStringLiteral("expected %1 bytes as hexadecimal text").arg(size));
            return QByteArray(size, '\0');
        }
        return QByteArray::fromHex(text.toLatin1());
    }

    qint64 integer(const QJsonObject &obj, const QString &where, const char *key, qint64 min, qint64 max)
    {
        return integerOf(member(obj, where, key), where + QLatin1Char('.') + QLatin1String(key), min, max);
    }

    qint64 integerOf(const QJsonValue &v, const QString &where, qint64 min, qint64 max)
    {
        if (!ok())
            return min;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !(d >= double(min) && d <= double(max)) || d != std::floor(d)) {
            fail(where, QStringLiteral("expected a whole number from %1 to %2").arg(min).arg(max));
            return min;
        }
        return qint64(d);
    }

    QJsonObject object(const QJsonValue &v, const QString &where)
    {
        if (ok() && !v.isObject())
            fail(where, QStringLiteral("expected an object"));
        return v.toObject();
    }

    QJsonArray array(const QJsonObject &obj, const char *key, int count)
    {
        const QString where = QLatin1String(key);
        const QJsonValue v = member(obj, QStringLiteral("state"), key);
        if (ok() && (!v.isArray() || v.toArray().size() != count))
            fail(where, QStringLiteral("expected a list of %1 entries").arg(count));
        return v.toArray();
    }

    RegisterAmount amount(const QJsonObject &obj, const QString &where, const char *key)
    {
        const QString at = where + QLatin1Char('.') + QLatin1String(key);
        const QJsonObject a = object(member(obj, where, key), at);
        RegisterAmount out;
        out.whole = quint32(integer(a, at, "whole", 0, 0xFFFFFFFFll));
        out.hundredths = quint8(integer(a, at, "hundredths", 0, 255));
        return out;
    }
};

QString indexed(const char *list, int i) { return QStringLiteral("%1[%2]").arg(QLatin1String(list)).arg(i); }

} // namespace

QByteArray RegisterState::toJson() const
{
    QJsonObject root;
    root[QStringLiteral("format")] = QLatin1String(kFormat);
    root[QStringLiteral("version")] = kVersion;

    QJsonArray lines;
    for (const QByteArray &l : headerLines)
        lines.append(hexValue(l));
    root[QStringLiteral("headerLines")] = lines;

    QJsonArray rates;
    for (quint16 r : taxRates)
        rates.append(r);
    root[QStringLiteral("taxRates")] = rates;

    QJsonArray depts;
    for (const RegisterDepartment &d : departments)
        depts.append(QJsonObject{{QStringLiteral("name"), hexValue(d.name)},
                                 {QStringLiteral("group"), d.group},
                                 {QStringLiteral("tax"), d.tax},
                                 {QStringLiteral("price"), double(d.price)},
                                 {QStringLiteral("turnover"), amountObject(d.turnover)}});
    root[QStringLiteral("departments")] = depts;

    QJsonArray arts;
    for (const RegisterArticle &a : articles)
        arts.append(QJsonObject{{QStringLiteral("name"), hexValue(a.name)},
                                {QStringLiteral("barcode"), hexValue(a.barcode)},
                                {QStringLiteral("tax"), a.tax},
                                {QStringLiteral("groupDepartment"), a.groupDepartment},
                                {QStringLiteral("price"), double(a.price)},
                                {QStringLiteral("stock"), double(a.stock)},
                                {QStringLiteral("sold"), double(a.sold)},
                                {QStringLiteral("turnover"), amountObject(a.turnover)}});
    root[QStringLiteral("articles")] = arts;

    QJsonArray grps;
    for (const RegisterGroup &g : groups)
        grps.append(QJsonObject{{QStringLiteral("name"), hexValue(g.name)},
                                {QStringLiteral("share"), g.share},
                                {QStringLiteral("turnover"), amountObject(g.turnover)}});
    root[QStringLiteral("groups")] = grps;

    QJsonArray ops;
    for (const RegisterOperator &o : operators) {
        QJsonArray amounts;
        for (const RegisterAmount &a : o.amounts)
            amounts.append(amountObject(a));
        ops.append(QJsonObject{{QStringLiteral("name"), hexValue(o.name)},
                               {QStringLiteral("password"), double(o.password)},
                               {QStringLiteral("amounts"), amounts}});
    }
    root[QStringLiteral("operators")] = ops;

    QJsonArray rows;
    for (const QByteArray &r : logoRows)
        rows.append(hexValue(r));
    root[QStringLiteral("logoRows")] = rows;
    root[QStringLiteral("logoHeight")] = logoHeight;
    root[QStringLiteral("servicePassword")] = double(servicePassword);
    root[QStringLiteral("reportPassword")] = double(reportPassword);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool RegisterState::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        if (error)
            *error = doc.isNull() ? QStringLiteral("not a state file: %1 at byte %2")
                                        .arg(parseError.errorString())
                                        .arg(parseError.offset)
                                  : QStringLiteral("not a state file: the top level is not an object");
        return false;
    }
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(kFormat)) {
        if (error)
            *error = QStringLiteral("not a state file: \"format\" is not \"%1\"").arg(QLatin1String(kFormat));
        return false;
    }
    if (root.value(QStringLiteral("version")).toInt(-1) != kVersion) {
        if (error)
            *error = QStringLiteral("unsupported state file version (expected %1)").arg(kVersion);
        return false;
    }

    Reader r;
    RegisterState s{BlankTag{}};
    const QString top = QStringLiteral("state");

    const QJsonArray lines = r.array(root, "headerLines", HeaderLineCount);
    for (int i = 0; i < HeaderLineCount && r.ok(); ++i)
        s.headerLines[i] = r.hexOf(lines.at(i), indexed("headerLines", i), HeaderLineWidth);

    const QJsonArray rates = r.array(root, "taxRates", TaxRateCount);
    for (int i = 0; i < TaxRateCount && r.ok(); ++i)
        s.taxRates[i] = quint16(r.integerOf(rates.at(i), indexed("taxRates", i), 0, 0xFFFF));

    const QJsonArray depts = r.array(root, "departments", DepartmentCount);
    for (int i = 0; i < DepartmentCount && r.ok(); ++i) {
        const QString at = indexed("departments", i);
        const QJsonObject o = r.object(depts.at(i), at);
        RegisterDepartment &d = s.departments[i];
        d.name = r.hex(o, at, "name", DepartmentNameWidth);
        d.group = quint8(r.integer(o, at, "group", 0, 15));
        d.tax = quint8(r.integer(o, at, "tax", 0, 15));
        d.price = quint32(r.integer(o, at, "price", 0, 0xFFFFFFFFll));
        d.turnover = r.amount(o, at, "turnover");
    }

    const QJsonArray arts = r.array(root, "articles", ArticleCount);
    s.articles.resize(ArticleCount);
    for (int i = 0; i < ArticleCount && r.ok(); ++i) {
        const QString at = indexed("articles", i);
        const QJsonObject o = r.object(arts.at(i), at);
        RegisterArticle &a = s.articles[i];
        a.name = r.hex(o, at, "name", ArticleNameWidth);
        a.barcode = r.hex(o, at, "barcode", BarcodeWidth);
        a.tax = quint8(r.integer(o, at, "tax", 0, 255));
        a.groupDepartment = quint8(r.integer(o, at, "groupDepartment", 0, 255));
        a.price = quint32(r.integer(o, at, "price", 0, 0xFFFFFFFFll));
        a.stock = qint32(r.integer(o, at, "stock", -2147483648ll, 2147483647ll));
        a.sold = quint32(r.integer(o, at, "sold", 0, 0xFFFFFFFFll));
        a.turnover = r.amount(o, at, "turnover");
    }

    const QJsonArray grps = r.array(root, "groups", GroupCount);
    for (int i = 0; i < GroupCount && r.ok(); ++i) {
        const QString at = indexed("groups", i);
        const QJsonObject o = r.object(grps.at(i), at);
        RegisterGroup &g = s.groups[i];
        g.name = r.hex(o, at, "name", GroupNameWidth);
        g.share = quint16(r.integer(o, at, "share", 0, 0xFFFF));
        g.turnover = r.amount(o, at, "turnover");
    }

    const QJsonArray ops = r.array(root, "operators", OperatorCount);
    for (int i = 0; i < OperatorCount && r.ok(); ++i) {
        const QString at = indexed("operators", i);
        const QJsonObject o = r.object(ops.at(i), at);
        RegisterOperator &op = s.operators[i];
        op.name = r.hex(o, at, "name", OperatorNameWidth);
        op.password = quint32(r.integer(o, at, "password", 0, 0xFFFFFFFFll));
        const QJsonValue amounts = r.member(o, at, "amounts");
        if (r.ok() && (!amounts.isArray() || amounts.toArray().size() != OperatorAmountCount))
            r.fail(at + QStringLiteral(".amounts"), QStringLiteral("expected a list of %1 entries").arg(OperatorAmountCount));
        const QJsonArray list = amounts.toArray();
        for (int j = 0; j < OperatorAmountCount && r.ok(); ++j) {
            const QString aat = QStringLiteral("%1.amounts[%2]").arg(at).arg(j);
            const QJsonObject a = r.object(list.at(j), aat);
            op.amounts[j].whole = quint32(r.integer(a, aat, "whole", 0, 0xFFFFFFFFll));
            op.amounts[j].hundredths = quint8(r.integer(a, aat, "hundredths", 0, 255));
        }
    }

    const QJsonArray rows = r.array(root, "logoRows", LogoRowCount);
    for (int i = 0; i < LogoRowCount && r.ok(); ++i)
        s.logoRows[i] = r.hexOf(rows.at(i), indexed("logoRows", i), LogoRowWidth);
    s.logoHeight = quint8(r.integer(root, top, "logoHeight", 0, 255));
    s.servicePassword = quint32(r.integer(root, top, "servicePassword", 0, 0xFFFFFFFFll));
    s.reportPassword = quint32(r.integer(root, top, "reportPassword", 0, 0xFFFFFFFFll));

    if (!r.ok()) {
        if (error)
            *error = r.error;
        return false;
    }
    *this = std::move(s);
    return true;
}

bool RegisterState::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson()) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write the state file %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool RegisterState::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read the state file %1: %2").arg(path, file.errorString());
        return false;
    }
    // A state file is about a megabyte; anything far larger is not one.
    constexpr qint64 limit = 64ll * 1024 * 1024;
    if (file.size() > limit) {
        if (error)
            *error = QStringLiteral("the state file %1 is too large to be a state file").arg(path);
        return false;
    }
    QString problem;
    if (!fromJson(file.readAll(), &problem)) {
        if (error)
            *error = QStringLiteral("the state file %1 is damaged: %2").arg(path, problem);
        return false;
    }
    return true;
}
