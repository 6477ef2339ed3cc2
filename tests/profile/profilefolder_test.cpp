#include "profile/profilefolder.h"

#include "sampleprofile.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void expectSameFamilies(const RegisterProfile &a, const RegisterProfile &b)
{
    EXPECT_EQ(a.families(), b.families());
    EXPECT_EQ(a.headerLines, b.headerLines);
    EXPECT_EQ(a.taxRates, b.taxRates);
    EXPECT_EQ(a.departments, b.departments);
    EXPECT_EQ(a.articles, b.articles);
    EXPECT_EQ(a.groups, b.groups);
    EXPECT_EQ(a.operators, b.operators);
    EXPECT_EQ(a.passwords, b.passwords);
    ASSERT_EQ(a.logo.has_value(), b.logo.has_value());
    if (a.logo) {
        EXPECT_EQ(a.logo->convertToFormat(QImage::Format_RGB32), b.logo->convertToFormat(QImage::Format_RGB32));
    }
}

class ProfileFolderTest : public ::testing::Test {
protected:
    QString folder() const { return m_dir.filePath(QStringLiteral("profile")); }
    QString path(const QString &file) const { return QDir(folder()).filePath(file); }

    QTemporaryDir m_dir;
};

TEST_F(ProfileFolderTest, EveryFamilyRoundTrips)
{
    const RegisterProfile written = sampleProfile(Regional::comma());
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(folder(), written, ProfileFamilyNames::allFamilies(), &error))
        << error.text.toStdString();
    RegisterProfile read;
    ASSERT_TRUE(ProfileFolder::read(folder(), Regional::comma(), ProfileFamilyNames::allFamilies(), &read, &error))
        << error.text.toStdString();
    expectSameFamilies(read, written);
    EXPECT_EQ(read.manifest.formatVersion, 1);
    EXPECT_EQ(read.manifest.programVersion, QStringLiteral("3.5"));
    EXPECT_EQ(read.manifest.serialNumber, QStringLiteral("123456"));
    EXPECT_EQ(read.manifest.created, written.manifest.created);
    EXPECT_EQ(read.manifest.logoHeight, 120);
    EXPECT_EQ(read.manifest.separators, Regional::comma());
}

TEST_F(ProfileFolderTest, ACommaProfileLoadsUnderAPointLocaleAndBack)
{
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(folder(), sampleProfile(Regional::comma()), ProfileFamilyNames::allFamilies(),
                                     &error));
    RegisterProfile read;
    ASSERT_TRUE(ProfileFolder::read(folder(), Regional::point(), ProfileFamilyNames::allFamilies(), &read, &error))
        << error.text.toStdString();
    expectSameFamilies(read, sampleProfile(Regional::point()));
    EXPECT_EQ(read.taxRates->at(4).at(1), QStringLiteral("**.**"));
    EXPECT_EQ(read.articles->at(2).at(6), QStringLiteral("-1.25"));
    // Texts keep their commas.
    EXPECT_EQ(read.headerLines->at(4), QStringLiteral("Хвала, дођите опет"));
    EXPECT_EQ(read.manifest.separators, Regional::point());

    // Saved again under the point locale, it loads under a comma one as it began.
    const QString second = m_dir.filePath(QStringLiteral("second"));
    ASSERT_TRUE(ProfileFolder::write(second, read, ProfileFamilyNames::allFamilies(), &error));
    EXPECT_TRUE(fileBytes(QDir(second).filePath(QStringLiteral("articles.csv"))).startsWith("1,\""));
    RegisterProfile back;
    ASSERT_TRUE(ProfileFolder::read(second, Regional::comma(), ProfileFamilyNames::allFamilies(), &back, &error))
        << error.text.toStdString();
    expectSameFamilies(back, sampleProfile(Regional::comma()));
}

TEST_F(ProfileFolderTest, PasswordsAreNeitherSavedNorLoadedUnlessAskedFor)
{
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(folder(), sampleProfile(Regional::comma()), std::nullopt, &error));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("passwords.csv"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("logo.png"))));
    RegisterProfile read;
    ASSERT_TRUE(ProfileFolder::read(folder(), Regional::comma(), std::nullopt, &read, &error));
    EXPECT_EQ(read.families(), ProfileFamilyNames::withoutSecrets());
    // Asked for, they are missing from this profile.
    EXPECT_FALSE(ProfileFolder::read(folder(), Regional::comma(), ProfileFamilies(ProfileFamily::Passwords), &read,
                                     &error));
    EXPECT_EQ(error.file, QStringLiteral("passwords.csv"));
}

TEST_F(ProfileFolderTest, PasswordsFileIsReadableByItsOwnerOnly)
{
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(folder(), sampleProfile(Regional::comma()), ProfileFamilyNames::allFamilies(),
                                     &error));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("passwords.csv"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // Replacing a file that others could read makes it private too.
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("passwords.csv")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    ASSERT_TRUE(ProfileFolder::write(folder(), sampleProfile(Regional::comma()), ProfileFamilyNames::allFamilies(),
                                     &error));
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("passwords.csv"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    RegisterProfile read;
    ASSERT_TRUE(ProfileFolder::read(folder(), Regional::comma(), ProfileFamilies(ProfileFamily::Passwords), &read,
                                    &error));
    EXPECT_EQ(read.families(), ProfileFamilies(ProfileFamily::Passwords));
    EXPECT_EQ(read.passwords->service, QStringLiteral("123456"));
    EXPECT_EQ(read.passwords->report, QStringLiteral("007"));
}

TEST_F(ProfileFolderTest, ASubsetIsWrittenAndOnlyItIsPartOfTheProfile)
{
    ProfileError error;
    // An older full profile in the same folder...
    ASSERT_TRUE(ProfileFolder::write(folder(), sampleProfile(Regional::comma()), std::nullopt, &error));
    // ...replaced by one holding only header lines and groups.
    RegisterProfile subset = sampleProfile(Regional::comma());
    (*subset.headerLines)[0] = QStringLiteral("Нова радња");
    ASSERT_TRUE(ProfileFolder::write(folder(), subset, ProfileFamily::Header | ProfileFamily::Groups, &error));
    RegisterProfile read;
    ASSERT_TRUE(ProfileFolder::read(folder(), Regional::comma(), std::nullopt, &read, &error));
    EXPECT_EQ(read.families(), ProfileFamilies(ProfileFamily::Header | ProfileFamily::Groups));
    EXPECT_EQ(read.headerLines->at(0), QStringLiteral("Нова радња"));
    // The old articles file is still there but belongs to no profile.
    EXPECT_FALSE(ProfileFolder::read(folder(), Regional::comma(), ProfileFamilies(ProfileFamily::Articles), &read,
                                     &error));
    EXPECT_EQ(error.file, QStringLiteral("articles.csv"));
    EXPECT_TRUE(error.text.contains(QStringLiteral("profile.json"))) << error.text.toStdString();
}

TEST_F(ProfileFolderTest, AFamilyTheProfileDoesNotHoldIsNotWritten)
{
    RegisterProfile profile = sampleProfile(Regional::comma());
    profile.logo.reset();
    ProfileError error;
    EXPECT_FALSE(ProfileFolder::write(folder(), profile, ProfileFamily::Logo | ProfileFamily::Header, &error));
    EXPECT_TRUE(error.text.contains(QStringLiteral("logo"))) << error.text.toStdString();
    EXPECT_FALSE(QDir(folder()).exists());
}

struct WriteRefusal {
    const char *name;
    std::function<void(RegisterProfile &)> spoil;
    const char *file;
    int line;
    const char *field;
};

class ProfileWriteRefusal : public ProfileFolderTest, public ::testing::WithParamInterface<WriteRefusal> {};

TEST_P(ProfileWriteRefusal, NothingIsWrittenAndTheCellIsNamed)
{
    RegisterProfile profile = sampleProfile(Regional::comma());
    GetParam().spoil(profile);
    ProfileError error;
    EXPECT_FALSE(ProfileFolder::write(folder(), profile, ProfileFamilyNames::allFamilies(), &error));
    EXPECT_EQ(error.file, QString::fromUtf8(GetParam().file));
    EXPECT_EQ(error.line, GetParam().line);
    EXPECT_EQ(error.field, QString::fromUtf8(GetParam().field));
    EXPECT_TRUE(error.text.contains(error.file));
    EXPECT_FALSE(QDir(folder()).exists()) << "a refused profile leaves no file";
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ProfileWriteRefusal,
    ::testing::Values(
        WriteRefusal{"price", [](RegisterProfile &p) { (*p.articles)[11][4] = QStringLiteral("12x"); }, "articles.csv", 12,
                     "Цена"},
        // Under a comma locale "1.5,5" is no number, and bare it would split the line.
        WriteRefusal{"rate", [](RegisterProfile &p) { (*p.taxRates)[2][1] = QStringLiteral("1.5;5"); }, "tax-rates.csv", 3,
                     "Стопа"},
        WriteRefusal{"password", [](RegisterProfile &p) { (*p.operators)[0][2] = QStringLiteral("12 3"); },
                     "operators.csv", 1, "Лозинка"},
        WriteRefusal{"number", [](RegisterProfile &p) { (*p.groups)[4][0] = QStringLiteral("9"); }, "groups.csv", 5, "Број"},
        WriteRefusal{"lineBreak", [](RegisterProfile &p) { (*p.headerLines)[1] = QStringLiteral("a\nb"); },
                     "header-lines.csv", 2, "Текст"},
        WriteRefusal{"rows", [](RegisterProfile &p) { p.departments->removeLast(); }, "departments.csv", 0, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProfileFolderTest, ASmallerOrColouredLogoIsSavedAsBlackDotsOnA216By198Page)
{
    RegisterProfile profile = sampleProfile(Regional::comma());
    QImage small(100, 50, QImage::Format_ARGB32);
    small.fill(Qt::white);
    small.setPixel(0, 0, qRgb(250, 250, 250)); // light grey is a dot
    small.setPixel(99, 49, qRgb(255, 0, 0));
    small.setPixel(5, 5, qRgba(0, 0, 0, 0)); // transparent is paper
    profile.logo = small;
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::write(folder(), profile, ProfileFamilies(ProfileFamily::Logo), &error));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(fileBytes(path(QStringLiteral("logo.png")))));
    EXPECT_EQ(saved.size(), QSize(216, 198));
    RegisterProfile read;
    ASSERT_TRUE(ProfileFolder::read(folder(), Regional::comma(), std::nullopt, &read, &error));
    const QImage &logo = *read.logo;
    EXPECT_EQ(logo.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(logo.pixel(99, 49), qRgb(0, 0, 0));
    EXPECT_EQ(logo.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(logo.pixel(150, 100), qRgb(255, 255, 255));
    int dots = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            dots += logo.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_EQ(dots, 2);
}

} // namespace
