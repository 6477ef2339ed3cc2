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
