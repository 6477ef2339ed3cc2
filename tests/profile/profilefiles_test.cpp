#include "tablefiles/tablefile.h"
#include "profile/profilefolder.h"

#include "sampleprofile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProfileFilesTest : public ::testing::TestWithParam<bool> {
protected:
    Regional regional() const { return GetParam() ? Regional::comma() : Regional::point(); }
    QString path(const QString &file) const { return QDir(m_dir.path()).filePath(file); }

    void write(const RegisterProfile &profile)
    {
        ProfileError error;
        ASSERT_TRUE(ProfileFolder::write(m_dir.path(), profile, ProfileFamilyNames::allFamilies(), &error))
            << error.text.toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_P(ProfileFilesTest, ArticleAndDepartmentFilesAreThoseOfTheProgram)
{
    const RegisterProfile profile = sampleProfile(regional());
    write(profile);
    EXPECT_EQ(fileBytes(path(QStringLiteral("articles.csv"))), TableFile::articles().save(*profile.articles, regional().list));
    EXPECT_EQ(fileBytes(path(QStringLiteral("departments.csv"))),
              TableFile::departments().save(*profile.departments, regional().list));
}

TEST_P(ProfileFilesTest, AFreshArticleRowIsTheProgramsLine)
{
    RegisterProfile profile = sampleProfile(regional());
    (*profile.articles)[0] = QStringList{QStringLiteral("1"), QString(), QStringLiteral("00000000000000"),
                                         QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("А"),
                                         QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                         QStringLiteral("0")};
    write(profile);
    const QByteArray s(1, regional().list.toLatin1());
    // "А" is 0xC0 in code page 1251.
    const QByteArray expected = "1" + s + "\"\"" + s + "\"00000000000000\"" + s + "1" + s + "0" + s + "\"\xC0\"" + s
                                + "0" + s + "0" + s + "0" + s + "0" + s + "\r\n";
    EXPECT_TRUE(fileBytes(path(QStringLiteral("articles.csv"))).startsWith(expected));
}

TEST_P(ProfileFilesTest, OtherTablesFollowTheSameConventions)
{
    write(sampleProfile(regional()));
    const QString s = regional().list;
    const QString d = regional().decimal;
    const QStringList header = fileLines(path(QStringLiteral("header-lines.csv")));
    ASSERT_EQ(header.size(), 8);
    EXPECT_EQ(header[0], QStringLiteral("1") + s + QStringLiteral("\"Продавница \"\"Код Мике\"\"\""));
    EXPECT_EQ(header[2], QStringLiteral("3") + s + QStringLiteral("\"\""));
    EXPECT_EQ(header[3], QStringLiteral("4") + s + QStringLiteral("\"  ПИБ 100200300  \""));
    const QStringList taxes = fileLines(path(QStringLiteral("tax-rates.csv")));
    ASSERT_EQ(taxes.size(), 9);
    EXPECT_EQ(taxes[1], QStringLiteral("2") + s + QStringLiteral("\"Г\"") + s + QStringLiteral("8") + d + QStringLiteral("5"));
    EXPECT_EQ(taxes[4], QStringLiteral("5") + s + QStringLiteral("\"Е\"") + s + QStringLiteral("**") + d + QStringLiteral("**"));
    const QStringList groups = fileLines(path(QStringLiteral("groups.csv")));
    ASSERT_EQ(groups.size(), 13);
    EXPECT_EQ(groups[0], QStringLiteral("0") + s + QStringLiteral("\"Група 0\"") + s + QStringLiteral("0") + d + QStringLiteral("5"));
    const QStringList operators = fileLines(path(QStringLiteral("operators.csv")));
    ASSERT_EQ(operators.size(), 25);
    EXPECT_EQ(operators[2], QStringLiteral("3") + s + QStringLiteral("\"Оператер 3\"") + s + QStringLiteral("00123"));
    const QStringList passwords = fileLines(path(QStringLiteral("passwords.csv")));
    EXPECT_EQ(passwords, QStringList({QStringLiteral("1") + s + QStringLiteral("\"Сервисна лозинка\"") + s + QStringLiteral("123456"),
                                      QStringLiteral("2") + s + QStringLiteral("\"Лозинка за извештаје\"") + s + QStringLiteral("007")}));
    // Code page 1251, not UTF-8: "Г" is one byte 0xC3.
    EXPECT_TRUE(fileBytes(path(QStringLiteral("tax-rates.csv"))).contains("\"\xC3\""));
}

TEST_P(ProfileFilesTest, ManifestNamesTheSeparatorsAndTheFamilies)
{
    write(sampleProfile(regional()));
    const QByteArray json = fileBytes(path(QStringLiteral("profile.json")));
    EXPECT_TRUE(json.contains("\"decimalSeparator\": \"" + QByteArray(1, regional().decimal.toLatin1()) + "\""));
    EXPECT_TRUE(json.contains("\"listSeparator\": \"" + QByteArray(1, regional().list.toLatin1()) + "\""));
    EXPECT_TRUE(json.contains("\"formatVersion\": 1"));
    EXPECT_TRUE(json.contains("\"serialNumber\": \"123456\""));
    EXPECT_TRUE(json.contains("\"logoHeight\": 120"));
    EXPECT_TRUE(json.contains("\"created\": \"2024-05-01T10:30:15Z\""));
    EXPECT_TRUE(json.contains("\"passwords\""));
}

TEST_P(ProfileFilesTest, ATaxDigitInAnEditedFileLoadsAsItsLabel)
{
    write(sampleProfile(regional()));
    QStringList lines = fileLines(path(QStringLiteral("departments.csv")));
    const QString s = regional().list;
    lines[0] = QStringLiteral("1") + s + QStringLiteral("\"Хлеб\"") + s + QStringLiteral("10") + s + QStringLiteral("0") + s
               + QStringLiteral("3") + s + QStringLiteral("0");
    writeLines(path(QStringLiteral("departments.csv")), lines);
    RegisterProfile read;
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::read(m_dir.path(), regional(), std::nullopt, &read, &error)) << error.text.toStdString();
    EXPECT_EQ(read.departments->at(0).at(4), QStringLiteral("Ђ"));
}

INSTANTIATE_TEST_SUITE_P(Locales, ProfileFilesTest, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Comma" : "Point"; });

} // namespace
