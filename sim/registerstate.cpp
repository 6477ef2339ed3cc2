#include "sim/registerstate.h"

#include "link/fields.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringList>
#include <cmath>
#include <cstdlib>

bool RegisterDepartment::operator==(const RegisterDepartment &o) const
{
    return name == o.name && group == o.group && tax == o.tax && price == o.price && turnover == o.turnover;
}

bool RegisterArticle::operator==(const RegisterArticle &o) const
{
    return name == o.name && barcode == o.barcode && tax == o.tax && groupDepartment == o.groupDepartment
        && price == o.price && stock == o.stock && sold == o.sold && turnover == o.turnover;
}

bool RegisterGroup::operator==(const RegisterGroup &o) const
{
    return name == o.name && share == o.share && turnover == o.turnover;
}

bool RegisterOperator::operator==(const RegisterOperator &o) const
{
    return name == o.name && password == o.password && amounts == o.amounts;
}

bool RegisterState::operator==(const RegisterState &o) const
{
    return headerLines == o.headerLines && taxRates == o.taxRates && departments == o.departments
        && articles == o.articles && groups == o.groups && operators == o.operators
        && logoRows == o.logoRows && logoHeight == o.logoHeight && servicePassword == o.servicePassword
        && reportPassword == o.reportPassword;
}

// ---------------------------------------------------------------------------
// Field helpers

QByteArray RegisterState::nameField(const QString &text, int width, int textWidth)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QByteArray(width, char(0xFF));
    QByteArray field = Fields::encodeText(trimmed).left(textWidth);
    field.append(QByteArray(width - field.size(), '\0'));
    return field;
}

QByteArray RegisterState::articleNameField(const QString &text)
{
    QByteArray field = nameField(text, ArticleNameWidth, ArticleNameWidth - 1);
    field[ArticleNameWidth - 1] = char(0xFF);
    return field;
}

QByteArray RegisterState::headerLineField(const QString &text)
{
    QString line = text.left(HeaderLineWidth);
    line = line.leftJustified(HeaderLineWidth, QLatin1Char(' '));
    return Fields::encodeText(line);
}

QByteArray RegisterState::packBarcode(const QString &digits)
{
    QByteArray text = digits.left(14).toLatin1();
    while (text.size() < 14)
        text.prepend('0');
    QByteArray packed(BarcodeWidth, '\0');
    for (int i = 0; i < BarcodeWidth; ++i) {
        const int high = static_cast<quint8>(text[2 * i]) & 0x0F;
        const int low = static_cast<quint8>(text[2 * i + 1]) & 0x0F;
        packed[i] = static_cast<char>(high << 4 | low);
    }
    return packed;
}

QString RegisterState::barcodeText(const QByteArray &packed)
{
    QString text;
    for (char c : packed) {
        const int byte = static_cast<quint8>(c);
        for (int nibble : {byte >> 4, byte & 0x0F})
            if (nibble <= 9)
                text.append(QChar(u'0' + nibble));
    }
    return text;
}

// ---------------------------------------------------------------------------
// Blank and demo registers

RegisterState RegisterState::blank()
{
    RegisterState s{BlankTag{}};
    for (QByteArray &line : s.headerLines)
        line = QByteArray(HeaderLineWidth, ' ');
    s.taxRates.fill(NoRate);
    for (RegisterDepartment &d : s.departments)
        d.name = QByteArray(DepartmentNameWidth, char(0xFF));
    RegisterArticle article;
    article.name = QByteArray(ArticleNameWidth, char(0xFF));
    article.barcode = QByteArray(BarcodeWidth, '\0');
    s.articles.assign(ArticleCount, article);
    for (RegisterGroup &g : s.groups)
        g.name = QByteArray(GroupNameWidth, char(0xFF));
    for (RegisterOperator &o : s.operators)
        o.name = QByteArray(OperatorNameWidth, char(0xFF));
    for (QByteArray &row : s.logoRows)
        row = QByteArray(LogoRowWidth, '\0');
    return s;
}

namespace {

// A 13-digit EAN code with its check digit, from the 12 leading digits.
QString ean13(const QString &twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve.at(i).unicode() - u'0') * (i % 2 ? 3 : 1);
    return twelve + QChar(u'0' + (10 - sum % 10) % 10);
}

// The demo logo: a framed band with a large "V" and the shop's stripe
// pattern, drawn dot by dot.
void drawDemoLogo(RegisterState &s)
{
    const int height = 64;
    const int width = 216;
    auto dot = [&s](int x, int y) {
        s.logoRows[y][x / 8] = static_cast<char>(static_cast<quint8>(s.logoRows[y][x / 8]) | 1 << (x % 8));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool frame = y < 2 || y >= height - 2 || x < 2 || x >= width - 2;
            // The V: two strokes, 6 dots thick, meeting at the bottom centre.
            const int cx = 40;
            const int dy = y - 8;
            const bool inV = dy >= 0 && dy < 48
                && (std::abs(x - (cx - 24 + dy / 2)) < 4 || std::abs(x - (cx + 24 - dy / 2)) < 4);
            const bool stripes = x >= 80 && x < 208 && y >= 12 && y < 52 && ((x + y) / 6) % 2 == 0;
            if (frame || inV || stripes)
                dot(x, y);
        }
    }
    s.logoHeight = height;
}

} // namespace

RegisterState RegisterState::demo()
{
    RegisterState s = blank();

    const char16_t *lines[HeaderLineCount] = {
        u"   ПРОДАВНИЦА ЊИВА",  u" Кнеза Милоша 12",  u"     Београд",        u"  ПИБ 100200300",
        u"Хвала на посети!",    u"Радно време 7-21",  u"Недељом 8-14",        u"  Дођите поново",
    };
    for (int i = 0; i < HeaderLineCount; ++i)
        s.headerLines[i] = headerLineField(QString::fromUtf16(lines[i]));

    s.taxRates = {2000, 1000, 0, NoRate, 800, NoRate, NoRate, 1850, NoRate};

    struct Dept {
        const char16_t *name;
        quint8 group, tax;
        quint32 price;
        RegisterAmount turnover;
    };
    const Dept depts[DepartmentCount] = {
        {u"Пекара", 0, 1, 6500, {152340, 50}},       {u"Млечни производи", 1, 1, 12000, {98230, 0}},
        {u"Воће и поврће", 2, 1, 15000, {64005, 75}}, {u"Месара", 3, 0, 89000, {231400, 10}},
        {u"Пиће", 4, 0, 11000, {120987, 99}},         {u"Кућна хемија", 5, 0, 25000, {45012, 5}},
        {u"Слаткиши", 6, 0, 9900, {38760, 40}},       {u"Разно", 12, 2, 0, {0, 0}},
    };
    for (int i = 0; i < DepartmentCount; ++i) {
        RegisterDepartment &d = s.departments[i];
        d.name = nameField(QString::fromUtf16(depts[i].name), DepartmentNameWidth, DepartmentNameWidth);
        d.group = depts[i].group;
        d.tax = depts[i].tax;
        d.price = depts[i].price;
        d.turnover = depts[i].turnover;
    }

    const char16_t *groupNames[GroupCount] = {
        u"Хлеб и пецива", u"Млеко", u"Воће", u"Месо", u"Пиће", u"Хемија", u"Слаткиши",
        u"Конзерве", u"Смрзнуто", u"Зачини", u"Дуван", u"Штампа", u"Остало",
    };
    for (int i = 0; i < GroupCount; ++i) {
        RegisterGroup &g = s.groups[i];
        g.name = nameField(QString::fromUtf16(groupNames[i]), GroupNameWidth, GroupNameWidth - 1);
        g.share = static_cast<quint16>(i == 12 ? 0 : 500 + 150 * i);
        g.turnover = {quint32(10000 + 7919 * i), quint8((i * 17) % 100)};
    }

    const char16_t *operatorNames[] = {
        u"Марко Петровић", u"Јелена Ђорђевић", u"Никола Јовановић", u"Ана Љубић",
        u"Стефан Њего",    u"Милица Ћосић",   u"Душан Џамић",
    };
    for (int i = 0; i < OperatorCount; ++i) {
        RegisterOperator &o = s.operators[i];
        const QString name = i < 7 ? QString::fromUtf16(operatorNames[i])
                                   : QStringLiteral("Оператер %1").arg(i + 1);
        o.name = nameField(name, OperatorNameWidth, OperatorNameWidth - 1);
        o.password = quint32(i == 0 ? 1 : 1000 + 37 * i);
        for (int j = 0; j < OperatorAmountCount; ++j)
            o.amounts[j] = {quint32((i + 1) * (j + 3) * 113 % 50000), quint8((i * 7 + j * 11) % 100)};
    }

    // Articles: products in a few sizes, spread over the departments and groups.
    struct Product {
        const char16_t *name;
        int department; // 1..8
        int group;
        int tax;
        quint32 price; // hundredths, for the first size
    };
    const Product products[] = {
        {u"Хлеб бели", 1, 0, 1, 6500},       {u"Хлеб црни", 1, 0, 1, 7200},
        {u"Кифла", 1, 0, 1, 2500},           {u"Бурек са сиром", 1, 0, 1, 18000},
        {u"Млеко 2,8%", 2, 1, 1, 12900},     {u"Јогурт", 2, 1, 1, 9900},
        {u"Кисела павлака", 2, 1, 1, 8900},  {u"Сир бели", 2, 1, 1, 45000},
        {u"Јабуке", 3, 2, 1, 12000},         {u"Банане", 3, 2, 1, 15900},
        {u"Парадајз", 3, 2, 1, 19900},       {u"Кромпир", 3, 2, 1, 6900},
        {u"Пилећи филе", 4, 3, 0, 79900},    {u"Свињски врат", 4, 3, 0, 89900},
        {u"Кобасица", 4, 3, 0, 55000},       {u"Вода негазирана", 5, 4, 0, 7900},
        {u"Сок од поморанџе", 5, 4, 0, 16900}, {u"Пиво", 5, 4, 0, 11900},
        {u"Вино црно", 5, 4, 0, 64900},      {u"Кафа млевена", 8, 12, 0, 29900},
        {u"Детерџент", 6, 5, 0, 89900},      {u"Сапун", 6, 5, 0, 9900},
        {u"Шампон", 6, 5, 0, 34900},         {u"Чоколада", 7, 6, 0, 14900},
        {u"Кекс", 7, 6, 0, 8900},            {u"Бомбоне", 7, 6, 0, 5900},
        {u"Пасуљ у конзерви", 8, 7, 0, 19900}, {u"Грашак смрзнути", 8, 8, 0, 24900},
        {u"Бибер", 8, 9, 0, 9900},           {u"Новине", 8, 11, 2, 6000},
    };
    const char16_t *sizes[] = {u"", u" мали", u" велики", u" 0,5", u" 1", u" 2", u" пак.", u" акција",
                               u" XL", u" мини"};
    int index = 0;
    for (const Product &p : products) {
        for (int v = 0; v < 10; ++v, ++index) {
            RegisterArticle &a = s.articles[index];
            a.name = articleNameField(QString::fromUtf16(p.name) + QString::fromUtf16(sizes[v]));
            a.barcode = packBarcode(ean13(QStringLiteral("860%1").arg(100000000 + index * 7919 % 99999999, 9,
                                                                    10, QLatin1Char('0'))
                                              .left(12)));
            a.tax = static_cast<quint8>(p.tax);
            a.groupDepartment = static_cast<quint8>(p.group << 4 | (p.department - 1));
            a.price = p.price + quint32(v) * 1050;
            // Stock in thousandths: weighed goods carry fractions; a few are oversold.
            a.stock = (index % 17 == 5) ? -(index * 250 + 1) : (index * 1337) % 250000;
            a.sold = quint32((index * 4241) % 900000);
            const qint64 turnover = qint64(a.sold) * a.price / 1000; // hundredths
            a.turnover = {quint32(turnover / 100), quint8(turnover % 100)};
        }
    }

    drawDemoLogo(s);
    s.servicePassword = 123456;
    s.reportPassword = 4321;
    return s;
}

// ---------------------------------------------------------------------------
// Saving and loading

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
