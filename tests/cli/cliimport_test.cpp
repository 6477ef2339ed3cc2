// vilaron-cli import: a shop's list into a profile's articles.csv, and its
// exit statuses.
#include "cli/clirig.h"
#include "profile/profilefolder.h"
#include "protocol/fields.h"

#include <QDateTime>
#include <QFile>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(VILARON_IMPORT_FIXTURES "/") + QString::fromLatin1(name);
}

QList<QStringList> articlesIn(const QString &folder)
{
    RegisterProfile profile;
    ProfileError error;
    EXPECT_TRUE(ProfileFolder::read(folder, Regional::comma(), std::nullopt, &profile, &error)) << error.text.toStdString();
    return profile.articles.value_or(QList<QStringList>());
}

struct ImportCall {
    const char *what;
    QStringList arguments; // after "import FILE PROFILE"
    const char *file;
    int status;
    int firstNamed; // articles with a name afterwards
};

class CliImport : public ::testing::TestWithParam<ImportCall> {};

TEST_P(CliImport, FillsTheProfileAndTellsByItsStatus)
{
    const ImportCall c = GetParam();
    QTemporaryDir dir;
    const QString profile = dir.filePath(QStringLiteral("kasa"));
    QFile csv(dir.filePath(QStringLiteral("clean.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Naziv;Cena;Barkod\r\nMleko;89,90;0860012345675\r\n\"Hleb\";45;8600123456789\r\n");
    csv.close();
    const QString file = c.file ? fixture(c.file) : csv.fileName();
    const CliOutcome o = runCli(QStringList{QStringLiteral("import"), file, profile} + c.arguments);
    EXPECT_EQ(o.status, c.status) << c.what << "\n" << o.out.toStdString() << o.err.toStdString();
    if (c.status == 2) {
        EXPECT_FALSE(QFile::exists(profile + QStringLiteral("/articles.csv")));
        return;
    }
    EXPECT_TRUE(o.out.startsWith(QStringLiteral("Нових: "))) << o.out.toStdString();
    const QList<QStringList> rows = articlesIn(profile);
    ASSERT_EQ(rows.size(), 4000);
    int named = 0;
    while (named < rows.size() && !rows.at(named).value(1).isEmpty())
        ++named;
    EXPECT_EQ(named, c.firstNamed) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CliImport,
    ::testing::Values(ImportCall{"refused values", {}, "calc.xlsx", 4, 3},
                      ImportCall{"clean list", {}, nullptr, 0, 2},
                      ImportCall{"by barcode", {"--mode", "barcode"}, nullptr, 0, 2},
                      ImportCall{"nothing to map", {"--sheet=Napomene"}, "calc.ods", 2, 0},
                      ImportCall{"no such sheet", {"--sheet", "Nema"}, "calc.ods", 2, 0},
                      ImportCall{"bad mode", {"--mode", "sve"}, nullptr, 2, 0},
                      ImportCall{"no file", {}, "missing.xlsx", 2, 0}));

TEST(CliImportProfile, KeepsTheOtherFamiliesAndMatchesTheirTaxRates)
{
    QTemporaryDir dir;
    RegisterProfile profile;
    profile.manifest.separators = Regional::comma();
    profile.manifest.created = QDateTime::currentDateTime();
    QList<QStringList> taxes;
    for (const QString &label : Fields::taxLabels())
        taxes << QStringList{label, label == QStringLiteral("Ђ") ? QStringLiteral("20,00") : QStringLiteral("**,**")};
    profile.taxRates = taxes;
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(dir.path(), profile, std::nullopt, &error)) << error.text.toStdString();
    const CliOutcome o = runCli({QStringLiteral("import"), fixture("openpyxl.xlsx"), dir.path(), QStringLiteral("--mode"),
                                 QStringLiteral("number")});
    EXPECT_EQ(o.status, 4) << o.err.toStdString();
    RegisterProfile back;
    ASSERT_TRUE(ProfileFolder::read(dir.path(), Regional::comma(), std::nullopt, &back, &error));
    ASSERT_TRUE(back.taxRates && back.articles);
    EXPECT_EQ(back.taxRates->at(3).value(1), QStringLiteral("20,00"));
    EXPECT_EQ(back.articles->at(2).value(5), QStringLiteral("Ђ")); // "20%" by the profile's rate
    EXPECT_EQ(back.articles->at(7).value(1), QStringLiteral("Вода"));
}

} // namespace
