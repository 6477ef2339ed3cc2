#include "profile/profilefolder.h"

#include "sampleprofile.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The profile is written under a comma locale (list separator ';'). Lines of
// profile.json: Qt writes its keys in alphabetical order, one a line, the
// family names one a line from line 5.
struct Damage {
    const char *name;
    std::function<void(const QDir &)> spoil;
    const char *file;
    int line;
    const char *field;
    const char *what; // a part of the message
};

void editLine(const QDir &dir, const QString &file, int line, const std::function<QString(QString)> &edit)
{
    QStringList lines = fileLines(dir.filePath(file));
    lines[line - 1] = edit(lines[line - 1]);
    writeLines(dir.filePath(file), lines);
}

// Field k (from 0) of a line replaced; a ';' inside quotes is no separator.
QString withField(const QString &line, int k, const QString &text)
{
    QStringList fields{QString()};
    bool inQuotes = false;
    for (QChar c : line) {
        if (c == QLatin1Char('"'))
            inQuotes = !inQuotes;
        if (c == QLatin1Char(';') && !inQuotes)
            fields << QString();
        else
            fields.last() += c;
    }
    fields[k] = text;
    return fields.join(QLatin1Char(';'));
}

void editJson(const QDir &dir, const QByteArray &from, const QByteArray &to)
{
    QByteArray json = fileBytes(dir.filePath(QStringLiteral("profile.json")));
    json.replace(from, to);
    writeBytes(dir.filePath(QStringLiteral("profile.json")), json);
}

class ProfileDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(ProfileDamage, IsRefusedWholeNamingFileLineAndField)
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(dir.path(), sampleProfile(Regional::comma()), ProfileFamilyNames::allFamilies(),
                                     &error));
    GetParam().spoil(dir);

    RegisterProfile read;
    read.manifest.serialNumber = QStringLiteral("untouched");
    EXPECT_FALSE(ProfileFolder::read(dir.path(), Regional::point(), ProfileFamilyNames::allFamilies(), &read, &error));
    EXPECT_EQ(read.manifest.serialNumber, QStringLiteral("untouched"));
    EXPECT_EQ(read.families(), ProfileFamilies());

    const QString file = QString::fromUtf8(GetParam().file);
    const QString field = QString::fromUtf8(GetParam().field);
    EXPECT_EQ(error.file, file);
    EXPECT_EQ(error.line, GetParam().line);
    EXPECT_EQ(error.field, field);
    const std::string text = error.text.toStdString();
    EXPECT_TRUE(error.text.startsWith(QStringLiteral("Профил није исправан: датотека ") + file)) << text;
    if (GetParam().line > 0) {
        EXPECT_TRUE(error.text.contains(QStringLiteral("ред %1").arg(GetParam().line))) << text;
    }
    if (!field.isEmpty()) {
        EXPECT_TRUE(error.text.contains(QStringLiteral("поље „%1“").arg(field))) << text;
    }
    EXPECT_TRUE(error.text.contains(QString::fromUtf8(GetParam().what))) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProfileDamage,
    ::testing::Values(
        Damage{"missingArticles", [](const QDir &d) { QFile::remove(d.filePath(QStringLiteral("articles.csv"))); }, "articles.csv", 0, "",
               "датотека недостаје"},
        Damage{"missingLogo", [](const QDir &d) { QFile::remove(d.filePath(QStringLiteral("logo.png"))); }, "logo.png", 0, "",
               "датотека недостаје"},
        Damage{"shortDepartmentLine",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("departments.csv"), 3, [](const QString &l) { return l.section(';', 0, 2); });
               },
               "departments.csv", 3, "Група", "ред је кратак: има 3 поља, а треба 6"},
        Damage{"shortHeaderLine",
               [](const QDir &d) { editLine(d, QStringLiteral("header-lines.csv"), 8, [](const QString &) { return QStringLiteral("8"); }); },
               "header-lines.csv", 8, "Текст", "ред је кратак"},
        // Saved with another list separator, a line does not split.
        Damage{"wrongSeparator",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("operators.csv"), 2, [](QString l) { return l.replace(';', ','); });
               },
               "operators.csv", 2, "Име", "ред је кратак"},
        Damage{"badPrice",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("articles.csv"), 12, [](const QString &l) { return withField(l, 4, QStringLiteral("12x")); });
               },
               "articles.csv", 12, "Цена", "„12x“ није исправан број"},
        Damage{"badQuantity",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("articles.csv"), 4000, [](const QString &l) { return withField(l, 6, QStringLiteral("1,2,3")); });
               },
               "articles.csv", 4000, "Количина", "није исправан број"},
        Damage{"badDepartmentNumber",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("articles.csv"), 7, [](const QString &l) { return withField(l, 3, QStringLiteral("1,5")); });
               },
               "articles.csv", 7, "Одељење", "није исправан број"},
        Damage{"badRate",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("tax-rates.csv"), 2, [](const QString &l) { return withField(l, 2, QStringLiteral("осам")); });
               },
               "tax-rates.csv", 2, "Стопа", "„осам“ није исправан број"},
        Damage{"badRevenue",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("groups.csv"), 13, [](const QString &l) { return withField(l, 2, QStringLiteral("5%")); });
               },
               "groups.csv", 13, "Приход(%)", "није исправан број"},
        Damage{"badPassword",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("passwords.csv"), 2, [](const QString &l) { return withField(l, 2, QStringLiteral("12-34")); });
               },
               "passwords.csv", 2, "Лозинка", "није исправан број"},
        Damage{"wrongRecordNumber",
               [](const QDir &d) {
                   editLine(d, QStringLiteral("groups.csv"), 5, [](const QString &l) { return withField(l, 0, QStringLiteral("9")); });
               },
               "groups.csv", 5, "Број", "очекује се 4, а пише „9“"},
        Damage{"missingRecord",
               [](const QDir &d) {
                   QStringList lines = fileLines(d.filePath(QStringLiteral("operators.csv")));
                   lines.removeLast();
                   writeLines(d.filePath(QStringLiteral("operators.csv")), lines);
               },
               "operators.csv", 25, "Број", "запис недостаје"},
        Damage{"extraLine",
               [](const QDir &d) {
                   QStringList lines = fileLines(d.filePath(QStringLiteral("tax-rates.csv")));
                   lines << QStringLiteral("10;\"Л\";5");
                   writeLines(d.filePath(QStringLiteral("tax-rates.csv")), lines);
               },
               "tax-rates.csv", 10, "Број", "сувишан ред"},
        Damage{"logoNotAPicture",
               [](const QDir &d) { writeBytes(d.filePath(QStringLiteral("logo.png")), "not a picture at all"); },
               "logo.png", 0, "", "датотека није слика"},
        Damage{"logoWrongSize",
               [](const QDir &d) {
                   QImage small(100, 198, QImage::Format_RGB32);
                   small.fill(Qt::white);
                   small.save(d.filePath(QStringLiteral("logo.png")), "PNG");
               },
               "logo.png", 0, "", "слика има 100x198 тачака, а треба 216x198"},
        Damage{"manifestMissing", [](const QDir &d) { QFile::remove(d.filePath(QStringLiteral("profile.json"))); }, "profile.json", 0, "",
               "датотека недостаје"},
        Damage{"manifestNotJson", [](const QDir &d) { editJson(d, "\"families\"", "families"); }, "profile.json", 4, "",
               "није исправан JSON"},
        Damage{"unknownFormatVersion", [](const QDir &d) { editJson(d, "\"formatVersion\": 1", "\"formatVersion\": 2"); },
               "profile.json", 14, "formatVersion", "верзија формата 2 није позната"},
        Damage{"missingDecimalSeparator", [](const QDir &d) { editJson(d, "\"decimalSeparator\"", "\"decimal\""); },
               "profile.json", 0, "decimalSeparator", "поље недостаје"},
        Damage{"logoHeightTooLarge", [](const QDir &d) { editJson(d, "\"logoHeight\": 120", "\"logoHeight\": 300"); },
               "profile.json", 16, "logoHeight", "300 није између 0 и 198"},
        Damage{"unknownFamily", [](const QDir &d) { editJson(d, "\"groups\"", "\"grupe\""); }, "profile.json", 9,
               "families", "„grupe“ није позната група параметара"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
