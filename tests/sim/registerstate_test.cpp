#include "protocol/fields.h"
#include "sim/registerstate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

bool allBytes(const QByteArray &b, char value)
{
    for (char c : b)
        if (c != value)
            return false;
    return !b.isEmpty();
}

} // namespace

TEST(SimState, BlankRegisterIsCleared)
{
    const RegisterState s = RegisterState::blank();
    for (const QByteArray &line : s.headerLines)
        EXPECT_EQ(line, QByteArray(19, ' '));
    for (quint16 rate : s.taxRates)
        EXPECT_EQ(rate, 0xFFFF);
    for (const RegisterDepartment &d : s.departments) {
        EXPECT_EQ(d.name, QByteArray(18, char(0xFF)));
        EXPECT_EQ(d.price, 0u);
    }
    ASSERT_EQ(s.articles.size(), 4000u);
    for (const RegisterArticle &a : s.articles) {
        ASSERT_EQ(a.name, QByteArray(37, char(0xFF)));
        ASSERT_EQ(a.barcode, hex("00 00 00 00 00 00 00"));
        ASSERT_EQ(a.stock, 0);
    }
    for (const RegisterGroup &g : s.groups)
        EXPECT_EQ(g.name, QByteArray(19, char(0xFF)));
    for (const RegisterOperator &o : s.operators)
        EXPECT_EQ(o.name, QByteArray(19, char(0xFF)));
    for (const QByteArray &row : s.logoRows)
        EXPECT_TRUE(allBytes(row, '\0'));
    EXPECT_EQ(s.logoHeight, 0);
    EXPECT_EQ(s.servicePassword, 0u);
    EXPECT_TRUE(RegisterState() == s);
}

TEST(SimState, DemoRegisterLooksLikeOneInUse)
{
    const RegisterState s = RegisterState::demo();
    EXPECT_TRUE(Fields::decodeText(s.headerLines[0]).contains(QStringLiteral("ЊИВА")));
    for (const QByteArray &line : s.headerLines)
        EXPECT_EQ(line.size(), 19);

    int noRate = 0;
    for (quint16 rate : s.taxRates)
        noRate += rate == 0xFFFF;
    EXPECT_GT(noRate, 0);
    EXPECT_LT(noRate, 9);

    for (const RegisterDepartment &d : s.departments) {
        EXPECT_EQ(d.name.size(), 18);
        EXPECT_FALSE(Fields::decodeName(d.name).isEmpty());
    }

    int named = 0;
    int negative = 0;
    QSet<QByteArray> barcodes;
    for (const RegisterArticle &a : s.articles) {
        ASSERT_EQ(a.name.size(), 37);
        ASSERT_EQ(a.barcode.size(), 7);
        if (Fields::decodeName(a.name.left(36)).isEmpty())
            continue;
        ++named;
        negative += a.stock < 0;
        barcodes.insert(a.barcode);
        EXPECT_EQ(RegisterState::barcodeText(a.barcode).size(), 14);
        EXPECT_LE(a.tax, 8);
        EXPECT_LE(a.group(), 12);
        EXPECT_LE(a.departmentNumber(), 8);
    }
    EXPECT_GE(named, 200);
    EXPECT_LT(named, 4000);
    EXPECT_EQ(barcodes.size(), named); // every named article has its own code
    EXPECT_GT(negative, 0);

    for (const RegisterGroup &g : s.groups)
        EXPECT_FALSE(Fields::decodeName(g.name).isEmpty());
    for (const RegisterOperator &o : s.operators) {
        EXPECT_FALSE(Fields::decodeName(o.name).isEmpty());
        EXPECT_NE(o.amounts[0], RegisterAmount{});
    }
    ASSERT_GT(s.logoHeight, 0);
    ASSERT_LE(s.logoHeight, 198);
    int dots = 0;
    for (int y = 0; y < s.logoHeight; ++y)
        for (char c : s.logoRows[y])
            dots += c != 0;
    EXPECT_GT(dots, 100);
    EXPECT_TRUE(allBytes(s.logoRows[s.logoHeight], '\0'));
    EXPECT_NE(s.servicePassword, 0u);
    EXPECT_NE(s.reportPassword, 0u);
}

struct NameCase {
    const char *text;
    int width;
    int textWidth;
    const char *bytes;
};

void PrintTo(const NameCase &p, std::ostream *os) { *os << p.text; }

class SimStateNameField : public ::testing::TestWithParam<NameCase> {};

TEST_P(SimStateNameField, EncodesAsTheToolWrites)
{
    const NameCase &c = GetParam();
    EXPECT_EQ(RegisterState::nameField(QString::fromUtf8(c.text), c.width, c.textWidth).toHex(' '),
              hex(c.bytes).toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SimStateNameField,
    ::testing::Values(NameCase{"Њива", 6, 6, "9E A8 A2 A0 00 00"},
                      NameCase{"  Њива ", 6, 6, "9E A8 A2 A0 00 00"},
                      NameCase{"", 4, 4, "FF FF FF FF"},
                      NameCase{"   ", 5, 4, "FF FF FF FF FF"},
                      NameCase{"ABCDEF", 5, 4, "41 42 43 44 00"},
                      NameCase{"a\\b", 4, 4, "61 5B 62 00"}));

TEST(SimState, ArticleNameFieldIsClosedWithFF)
{
    const QByteArray f = RegisterState::articleNameField(QStringLiteral("Њива"));
    ASSERT_EQ(f.size(), 37);
    EXPECT_EQ(f.left(4), hex("9E A8 A2 A0"));
    EXPECT_EQ(f.mid(4, 32), QByteArray(32, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(f[36]), 0xFF);
    EXPECT_EQ(RegisterState::articleNameField(QString()), QByteArray(37, char(0xFF)));
}

TEST(SimState, HeaderLineFieldIsPaddedAndCutTo19)
{
    EXPECT_EQ(RegisterState::headerLineField(QStringLiteral("Њ")), hex("9E") + QByteArray(18, ' '));
    EXPECT_EQ(RegisterState::headerLineField(QStringLiteral("12345678901234567890123")),
              QByteArray("1234567890123456789"));
}

TEST(SimState, BarcodePacking)
{
    EXPECT_EQ(RegisterState::packBarcode(QStringLiteral("8600123456789")), hex("08 60 01 23 45 67 89"));
    EXPECT_EQ(RegisterState::packBarcode(QStringLiteral("08600123456789")), hex("08 60 01 23 45 67 89"));
    EXPECT_EQ(RegisterState::packBarcode(QStringLiteral("123456789012345678")), hex("12 34 56 78 90 12 34"));
    EXPECT_EQ(RegisterState::packBarcode(QString()), hex("00 00 00 00 00 00 00"));
    EXPECT_EQ(RegisterState::barcodeText(hex("08 60 01 23 45 67 89")), QStringLiteral("08600123456789"));
    EXPECT_EQ(RegisterState::barcodeText(hex("00 00 00 00 00 00 00")), QStringLiteral("00000000000000"));
    // Halves of 10 to 15 give no digit.
    EXPECT_EQ(RegisterState::barcodeText(hex("1A F2 00 00 00 00 00")), QStringLiteral("120000000000"));
}

// ---------------------------------------------------------------------------
// Saving and loading

class SimStateFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const QString &p, const QByteArray &bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(SimStateFile, DemoSurvivesSaveAndLoad)
{
    RegisterState demo = RegisterState::demo();
    demo.articles[3999].stock = -2147483647 - 1;
    demo.articles[3999].sold = 0xFFFFFFFF;
    demo.operators[24].amounts[15] = {0xFFFFFFFF, 255};
    QString error;
    ASSERT_TRUE(demo.save(path("state.json"), &error)) << error.toStdString();
    RegisterState loaded = RegisterState::blank();
    ASSERT_TRUE(loaded.load(path("state.json"), &error)) << error.toStdString();
    EXPECT_TRUE(loaded == demo);
    EXPECT_FALSE(loaded == RegisterState::blank());
}

TEST_F(SimStateFile, MissingFileIsAnError)
{
    RegisterState s = RegisterState::demo();
    QString error;
    EXPECT_FALSE(s.load(path("nothing.json"), &error));
    EXPECT_TRUE(error.contains(QLatin1String("nothing.json")));
    EXPECT_TRUE(s == RegisterState::demo());
}

struct Corruption {
    const char *name;
    std::function<QByteArray(const QByteArray &good)> damage;
    const char *mentions;
};

void PrintTo(const Corruption &p, std::ostream *os) { *os << p.name; }

class SimStateCorrupt : public SimStateFile, public ::testing::WithParamInterface<Corruption> {};

namespace {

QByteArray edit(const QByteArray &good, const std::function<void(QJsonObject &)> &change)
{
    QJsonObject root = QJsonDocument::fromJson(good).object();
    change(root);
    return QJsonDocument(root).toJson();
}

void editArray(QJsonObject &root, const char *key, int index, const std::function<void(QJsonObject &)> &change)
{
    QJsonArray list = root.value(QLatin1String(key)).toArray();
    QJsonObject entry = list.at(index).toObject();
    change(entry);
    list.replace(index, entry);
    root.insert(QLatin1String(key), list);
}

} // namespace

TEST_P(SimStateCorrupt, IsRejectedWithAMessageAndChangesNothing)
{
    const RegisterState before = RegisterState::demo();
    const QByteArray good = before.toJson();
    write(path("bad.json"), GetParam().damage(good));

    RegisterState s = before;
    QString error;
    EXPECT_FALSE(s.load(path("bad.json"), &error));
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().mentions))) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String("bad.json"))) << error.toStdString();
    EXPECT_TRUE(s == before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SimStateCorrupt,
    ::testing::Values(
        Corruption{"Empty", [](const QByteArray &) { return QByteArray(); }, "not a state file"},
        Corruption{"BinaryJunk", [](const QByteArray &) { return QByteArray("\x00\xFF\xAA\x01garbage", 11); },
                   "not a state file"},
        Corruption{"CutInHalf", [](const QByteArray &g) { return g.left(g.size() / 2); }, "not a state file"},
        Corruption{"TopLevelArray", [](const QByteArray &) { return QByteArray("[1,2,3]"); }, "not an object"},
        Corruption{"OtherFormat",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) { r[QStringLiteral("format")] = QStringLiteral("x"); });
                   },
                   "format"},
        Corruption{"FutureVersion",
                   [](const QByteArray &g) { return edit(g, [](QJsonObject &r) { r[QStringLiteral("version")] = 9; }); },
                   "version"},
        Corruption{"MissingArticles",
                   [](const QByteArray &g) { return edit(g, [](QJsonObject &r) { r.remove(QStringLiteral("articles")); }); },
                   "articles"},
        Corruption{"TooFewRates",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) { r[QStringLiteral("taxRates")] = QJsonArray{1, 2}; });
                   },
                   "taxRates"},
        Corruption{"RateTooLarge",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           QJsonArray a = r[QStringLiteral("taxRates")].toArray();
                           a.replace(4, 70000);
                           r[QStringLiteral("taxRates")] = a;
                       });
                   },
                   "taxRates[4]"},
        Corruption{"ShortArticleName",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "articles", 17, [](QJsonObject &a) { a[QStringLiteral("name")] = QStringLiteral("ff"); });
                       });
                   },
                   "articles[17].name"},
        Corruption{"NotHexBarcode",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "articles", 2, [](QJsonObject &a) { a[QStringLiteral("barcode")] = QStringLiteral("zz600123456789"); });
                       });
                   },
                   "articles[2].barcode"},
        Corruption{"FractionalPrice",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "departments", 1, [](QJsonObject &d) { d[QStringLiteral("price")] = 1.5; });
                       });
                   },
                   "departments[1].price"},
        Corruption{"NegativeSold",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "articles", 0, [](QJsonObject &a) { a[QStringLiteral("sold")] = -1; });
                       });
                   },
                   "articles[0].sold"},
        Corruption{"PriceAsText",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "articles", 0, [](QJsonObject &a) { a[QStringLiteral("price")] = QStringLiteral("12"); });
                       });
                   },
                   "articles[0].price"},
        Corruption{"OperatorMissingAmounts",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "operators", 24, [](QJsonObject &o) { o.remove(QStringLiteral("amounts")); });
                       });
                   },
                   "operators[24]"},
        Corruption{"TurnoverHundredthsTooLarge",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           editArray(r, "groups", 3, [](QJsonObject &gr) {
                               gr[QStringLiteral("turnover")] = QJsonObject{{QStringLiteral("whole"), 1}, {QStringLiteral("hundredths"), 256}};
                           });
                       });
                   },
                   "groups[3].turnover.hundredths"},
        Corruption{"LogoHeightTooLarge",
                   [](const QByteArray &g) { return edit(g, [](QJsonObject &r) { r[QStringLiteral("logoHeight")] = 256; }); },
                   "logoHeight"},
        Corruption{"LogoRowNotText",
                   [](const QByteArray &g) {
                       return edit(g, [](QJsonObject &r) {
                           QJsonArray a = r[QStringLiteral("logoRows")].toArray();
                           a.replace(197, 5);
                           r[QStringLiteral("logoRows")] = a;
                       });
                   },
                   "logoRows[197]"}),
    [](const auto &info) { return std::string(info.param.name); });
