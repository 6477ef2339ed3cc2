#include "support/registerharness.h"
#include "params/common/exchangebuttons.h"
#include "params/groups/groups.h"
#include "params/groups/groupsbox.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

RegisterState startState()
{
    RegisterState state = RegisterState::blank();
    for (int g = 0; g < RegisterState::GroupCount; ++g) {
        RegisterGroup &group = state.groups[g];
        group.name = RegisterState::nameField(u("Пиће %1").arg(g), RegisterState::GroupNameWidth, 18);
        group.share = quint16(g * 250 + 5);
        group.turnover = RegisterAmount{quint32(1000 + g), quint8(g)};
    }
    // Group 7 was never named.
    state.groups[7].name = QByteArray(RegisterState::GroupNameWidth, char(0xFF));
    return state;
}

// The group box on the real link stack against the simulated register.
class GroupsOnTheRegister : public ::testing::TestWithParam<QChar> {
protected:
    RegisterHarness h{startState()};
    FamilyContext ctx{h.driver, Regional::withDecimal(GetParam())};
    Groups family{ctx};
    ExchangeButtons buttons;
    GroupsBox box{family, buttons};

    void SetUp() override
    {
        h.watch(family);
        QObject::connect(&h.driver, &ExchangeDriver::busyChanged, &buttons, &ExchangeButtons::setBusy);
        QString error;
        ASSERT_TRUE(h.open(&error)) << error.toStdString();
        box.show();
    }

    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
    QPushButton *button(const char *name) { return box.findChild<QPushButton *>(QLatin1String(name)); }
    QString cell(int group, GroupTable::Column c) const { return family.table().groupCell(group, c); }
    bool waitForStatus(const char *text) { return RegisterHarness::waitFor([&] { return h.status == u(text); }); }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, GroupsOnTheRegister, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(GroupsOnTheRegister, ControlsCarryTheirNamesCaptionsAndGridLayout)
{
    EXPECT_EQ(box.objectName(), u("GBGroups"));
    EXPECT_EQ(box.title(), u("Групе"));
    ASSERT_NE(button("BtnGRead"), nullptr);
    ASSERT_NE(button("BtnGWrite"), nullptr);
    EXPECT_EQ(button("BtnGRead")->text(), u("Читање из касе"));
    EXPECT_EQ(button("BtnGWrite")->text(), u("Унос у касу"));
    auto *view = box.findChild<QTableView *>(QStringLiteral("sgGrupe"));
    ASSERT_EQ(view, box.table());
    EXPECT_EQ(view->model(), &family.table());
    EXPECT_TRUE(view->tabKeyNavigation());
    const int widths[] = {30, 123, 61, 108};
    // The given widths at least, wider where the font needs it for a
    // heading; rows 17 pixels or the font's height.
    for (int c = 0; c < 4; ++c) {
        EXPECT_GE(view->columnWidth(c), widths[c]) << c;
        EXPECT_GE(view->columnWidth(c),
                  view->fontMetrics().horizontalAdvance(family.table().index(0, c).data().toString()) + 4) << c;
    }
    EXPECT_EQ(view->rowHeight(5), qMax(17, view->fontMetrics().height() + 4));
    EXPECT_EQ(cell(12, GroupTable::Name), u("Група 12"));
    EXPECT_EQ(cell(12, GroupTable::Share), s("0,00"));
    // Tab moves to the next cell.
    view->setFocus();
    view->setCurrentIndex(family.table().index(1, 1));
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), family.table().index(1, 2));
}

TEST_P(GroupsOnTheRegister, ButtonsFollowThePortAndTheFirstRead)
{
    EXPECT_FALSE(button("BtnGRead")->isEnabled());
    EXPECT_FALSE(button("BtnGWrite")->isEnabled());
    buttons.setPortOpen(true);
    EXPECT_TRUE(button("BtnGRead")->isEnabled());
    EXPECT_FALSE(button("BtnGWrite")->isEnabled());
    QTest::mouseClick(button("BtnGRead"), Qt::LeftButton);
    ASSERT_TRUE(waitForStatus("Завршено читање група"));
    EXPECT_TRUE(button("BtnGWrite")->isEnabled());
    buttons.setPortOpen(false);
    EXPECT_FALSE(button("BtnGRead")->isEnabled());
    EXPECT_FALSE(button("BtnGWrite")->isEnabled());
}

TEST_P(GroupsOnTheRegister, ReadsThenWritesTheRegistersMemory)
{
    buttons.setPortOpen(true);
    QTest::mouseClick(button("BtnGRead"), Qt::LeftButton);
    ASSERT_TRUE(waitForStatus("Завршено читање група"));
    EXPECT_EQ(h.handled(113), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(cell(0, GroupTable::Name), u("Пиће 0"));
    EXPECT_EQ(cell(0, GroupTable::Share), s("0,05"));
    EXPECT_EQ(cell(0, GroupTable::Turnover), QStringLiteral("1000"));
    EXPECT_EQ(cell(4, GroupTable::Share), s("10,05"));
    EXPECT_EQ(cell(4, GroupTable::Turnover), s("1004,04"));
    EXPECT_EQ(cell(7, GroupTable::Name), QString());
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.messages.isEmpty());

    GroupTable &t = family.table();
    t.setData(t.index(1, GroupTable::Name), u("  Храна  "));
    t.setData(t.index(1, GroupTable::Share), s("33,339"));
    t.setData(t.index(8, GroupTable::Name), u("Нова"));
    t.setData(t.index(13, GroupTable::Name), QString());
    t.setData(t.index(13, GroupTable::Share), QStringLiteral("100"));
    t.setData(t.index(13, GroupTable::Turnover), QStringLiteral("5"));
    const RegisterState before = h.reg.state();
    h.reg.clearLog();
    QTest::mouseClick(button("BtnGWrite"), Qt::LeftButton);
    ASSERT_TRUE(waitForStatus("Завршен упис група"));
    EXPECT_EQ(h.handled(114), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(h.handled(113).isEmpty()); // no read-back
    const auto &groups = h.reg.state().groups;
    EXPECT_EQ(groups[0].name, RegisterState::nameField(u("Храна"), 19, 18));
    EXPECT_EQ(groups[0].share, 3333);
    EXPECT_EQ(groups[7].name, RegisterState::nameField(u("Нова"), 19, 18));
    EXPECT_EQ(groups[12].name, QByteArray(19, char(0xFF)));
    EXPECT_EQ(groups[12].share, 10000);
    EXPECT_EQ(groups[4].share, 1005);
    for (int g = 0; g < 13; ++g)
        EXPECT_EQ(groups[g].turnover, before.groups[g].turnover) << g;
    EXPECT_EQ(cell(12, GroupTable::Turnover), QStringLiteral("5"));
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.errors.isEmpty());
}

TEST_P(GroupsOnTheRegister, RefusedShareLeavesTheEarlierGroupsWritten)
{
    buttons.setPortOpen(true);
    QTest::mouseClick(button("BtnGRead"), Qt::LeftButton);
    ASSERT_TRUE(waitForStatus("Завршено читање група"));
    family.table().setGroupCell(0, GroupTable::Name, QStringLiteral("First"));
    family.table().setGroupCell(3, GroupTable::Share, QStringLiteral("101"));
    h.reg.clearLog();
    QTest::mouseClick(button("BtnGWrite"), Qt::LeftButton);
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.messages.isEmpty(); }));
    EXPECT_EQ(h.messages.first(), qMakePair(u("Грешка !!! "), u("Грешка у подацима. Унос отказан!")));
    EXPECT_EQ(h.handled(114), (QList<int>{0, 1, 2}));
    EXPECT_EQ(h.reg.state().groups[0].name, RegisterState::nameField(QStringLiteral("First"), 19, 18));
    EXPECT_EQ(h.status, u("Унос параметара у касу. Молимо, сачекаjте..."));
    EXPECT_EQ(h.progress, 1);
    EXPECT_TRUE(button("BtnGWrite")->isEnabled());
}
