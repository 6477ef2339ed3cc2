#include "profile/profilefamily.h"

#include <gtest/gtest.h>

TEST(ProfileFamilyNames, ParsesTheCommandLineList)
{
    ProfileFamilies families;
    QString error;
    ASSERT_TRUE(ProfileFamilyNames::parseList(QStringLiteral("header, taxes,logo"), &families, &error));
    EXPECT_EQ(families, ProfileFamilies(ProfileFamily::Header | ProfileFamily::Taxes | ProfileFamily::Logo));
    EXPECT_EQ(ProfileFamilyNames::toList(families), QStringLiteral("header,taxes,logo"));
}

TEST(ProfileFamilyNames, EveryNameRoundTrips)
{
    ProfileFamilies families;
    QString error;
    const QString all = QStringLiteral("header,taxes,departments,articles,groups,operators,logo,passwords");
    ASSERT_TRUE(ProfileFamilyNames::parseList(all, &families, &error));
    EXPECT_EQ(families, ProfileFamilyNames::allFamilies());
    EXPECT_EQ(ProfileFamilyNames::toList(families), all);
    EXPECT_FALSE(ProfileFamilyNames::withoutSecrets().testFlag(ProfileFamily::Passwords));
    EXPECT_TRUE(ProfileFamilyNames::withoutSecrets().testFlag(ProfileFamily::Logo));
}

TEST(ProfileFamilyNames, UnknownOrEmptyNameIsRefusedByName)
{
    for (const QString &list : {QStringLiteral("header,tax"), QStringLiteral("header,,logo"), QString()}) {
        ProfileFamilies families = ProfileFamily::Logo;
        QString error;
        EXPECT_FALSE(ProfileFamilyNames::parseList(list, &families, &error)) << list.toStdString();
        EXPECT_EQ(families, ProfileFamilies(ProfileFamily::Logo));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Непозната група параметара"))) << error.toStdString();
    }
    ProfileFamilies families;
    QString error;
    ProfileFamilyNames::parseList(QStringLiteral("header,tax"), &families, &error);
    EXPECT_TRUE(error.contains(QStringLiteral("„tax“")));
}
