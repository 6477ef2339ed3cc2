// The profile bridge: the session's tables to a profile and back, with the
// column layout the profile files use.
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "profile/profilefolder.h"
#include "profile/profiletable.h"
#include "session/profilebridge.h"
#include "session/registersession.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

RegisterSession::Options commaOptions()
{
    RegisterSession::Options o;
    o.regional = Regional::comma();
    o.registerPort = QStringLiteral("/nonexistent/port");
    return o;
}

void fill(RegisterSession &s)
{
    s.headerLines().setLine(0, QStringLiteral("ПРОДАВНИЦА"));
    s.taxRates().table().setRate(2, QStringLiteral("8,50"));
    DepartmentRow d{QStringLiteral("ХЛЕБ"), QStringLiteral("12,30"), QStringLiteral("2"), QStringLiteral("Б"),
                    QStringLiteral("0")};
    s.departments().model().setRow(3, d);
    ArticleRow a;
    a.name = QStringLiteral("МЛЕКО");
    a.barcode = QStringLiteral("08600000000017");
    a.price = QStringLiteral("99,90");
    a.quantity = QStringLiteral("3,5");
    s.articles().model().setRow(3999, a);
    s.groups().table().setRecordCell(12, GroupTable::Name, QStringLiteral("ПИЋЕ"));
    s.groups().table().setRecordCell(12, GroupTable::Share, QStringLiteral("7,25"));
    s.operators().table().setRecordCell(24, OperatorTable::Name, QStringLiteral("ЗОРАН"));
    s.operators().table().setRecordCell(24, OperatorTable::Password, QStringLiteral("4711"));
    QImage logo(216, 40, QImage::Format_RGB32);
    logo.fill(Qt::white);
    logo.setPixel(5, 39, qRgb(0, 0, 0));
    s.logo().setPicture(logo);
    s.passwords().setServiceText(QStringLiteral("123"));
    s.passwords().setReportText(QStringLiteral("456"));
}

TEST(ProfileBridge, RowsHaveTheColumnsOfTheProfileFiles)
{
    RegisterSession session(commaOptions());
    fill(session);
    const RegisterProfile p = ProfileBridge::fromSession(session, ProfileFamilyNames::allFamilies());
    ASSERT_EQ(p.families(), ProfileFamilyNames::allFamilies());
    const struct {
        const QList<QStringList> *rows;
        const ProfileTable &table;
    } tables[] = {{&*p.taxRates, ProfileTable::taxRates()},     {&*p.departments, ProfileTable::departments()},
                  {&*p.articles, ProfileTable::articles()},     {&*p.groups, ProfileTable::groups()},
                  {&*p.operators, ProfileTable::operators()}};
    for (const auto &t : tables) {
        ASSERT_EQ(t.rows->size(), t.table.rowCount()) << t.table.fileName().toStdString();
        for (const QStringList &row : *t.rows)
            ASSERT_EQ(row.size(), t.table.columnCount()) << t.table.fileName().toStdString();
    }
    EXPECT_EQ(p.departments->at(3), QStringList({"4", "ХЛЕБ", "12,30", "2", "Б", "0"}));
    EXPECT_EQ(p.groups->at(12), QStringList({"12", "ПИЋЕ", "7,25"}));
    EXPECT_EQ(p.operators->at(24), QStringList({"25", "ЗОРАН", "4711"}));
    EXPECT_EQ(p.taxRates->at(2).at(1), "8,50");
    EXPECT_EQ(p.logo->size(), QSize(216, 198));
    EXPECT_EQ(p.manifest.logoHeight, 40);
    // The files accept every cell as the tables hold them.
    QTemporaryDir dir;
    ProfileError error;
    EXPECT_TRUE(ProfileFolder::write(dir.path(), p, ProfileFamilyNames::allFamilies(), &error))
        << error.text.toStdString();
}

TEST(ProfileBridge, AppliedProfileGivesTheSameTablesInAnotherSession)
{
    RegisterSession source(commaOptions());
    fill(source);
    const RegisterProfile p = ProfileBridge::fromSession(source, ProfileFamilyNames::allFamilies());
    RegisterSession target(commaOptions());
    ProfileBridge::apply(p, target);
    const RegisterProfile back = ProfileBridge::fromSession(target, ProfileFamilyNames::allFamilies());
    EXPECT_EQ(back.headerLines, p.headerLines);
    EXPECT_EQ(back.taxRates, p.taxRates);
    EXPECT_EQ(back.departments, p.departments);
    EXPECT_EQ(back.articles, p.articles);
    EXPECT_EQ(back.groups, p.groups);
    EXPECT_EQ(back.operators, p.operators);
    EXPECT_EQ(back.logo, p.logo);
    EXPECT_EQ(back.passwords, p.passwords);
    EXPECT_EQ(target.logo().picture().height(), 40);
}

TEST(ProfileBridge, AppliesOnlyTheChosenFamilies)
{
    RegisterSession source(commaOptions());
    fill(source);
    const RegisterProfile p = ProfileBridge::fromSession(source, ProfileFamilyNames::allFamilies());
    RegisterSession target(commaOptions());
    ProfileBridge::apply(p, target, ProfileFamily::Groups);
    EXPECT_EQ(target.groups().table().recordCell(12, GroupTable::Name), "ПИЋЕ");
    EXPECT_EQ(target.headerLines().line(0), QString());
    EXPECT_EQ(target.operators().table().recordCell(24, OperatorTable::Name), QString());
}

} // namespace
