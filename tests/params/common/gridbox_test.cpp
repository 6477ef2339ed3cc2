#include "support/registerharness.h"
#include "params/common/exchangebuttons.h"
#include "params/common/gridbox.h"
#include "params/groups/groupfamily.h"
#include "params/operators/operatorfamily.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

RegisterState groupsState()
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

RegisterState operatorsState()
{
    RegisterState state = RegisterState::blank();
    for (int k = 0; k < RegisterState::OperatorCount; ++k) {
        RegisterOperator &op = state.operators[k];
        op.name = RegisterState::nameField(u("Касир %1").arg(k + 1), RegisterState::OperatorNameWidth, 18);
        op.password = quint32(k * 1111);
        for (int j = 0; j < RegisterState::OperatorAmountCount; ++j)
            op.amounts[j] = RegisterAmount{quint32(k * 1000 + j), quint8(j == 15 ? 50 : 0)};
    }
    state.operators[24].password = 12345678; // more digits than a write allows
    return state;
}

// What a grid family's box shows.
struct BoxCase {
    const char *name;
    RegisterState (*start)();
    GridFamily *(*family)(FamilyContext &ctx);
    GridBox *(*box)(GridFamily &family, ExchangeButtons &buttons);
    const char *boxName, *caption, *table, *readButton, *writeButton, *readDone;
    QList<int> widths;
    int tabRow, tabColumn; // Tab from this cell goes one column on
};

const BoxCase Groups{"groups", groupsState, [](FamilyContext &ctx) -> GridFamily * { return new GroupFamily(ctx); },
                     [](GridFamily &f, ExchangeButtons &b) {
                         return new GridBox(static_cast<GroupFamily &>(f), &GroupFamily::BtnGReadClick,
                                            &GroupFamily::BtnGWriteClick, b);
                     },
                     "GBGroups", "Групе", "sgGrupe", "BtnGRead", "BtnGWrite", "Завршено читање група",
                     {30, 123, 61, 108}, 1, 1};

const BoxCase Operators{
    "operators", operatorsState, [](FamilyContext &ctx) -> GridFamily * { return new OperatorFamily(ctx); },
    [](GridFamily &f, ExchangeButtons &b) {
        return new GridBox(static_cast<OperatorFamily &>(f), &OperatorFamily::BtnOReadClick,
                           &OperatorFamily::BtnOWriteClick, b);
    },
    "GBOperateri", "Оператери", "SGOperateri", "BtnORead", "BtnOWrite", "Завршено читање оператера",
    {30, 144, 102, 80, 82, 90, 93, 97, 89, 95, 98, 92, 92, 92, 93, 86, 85, 101, 100}, 2, 17};

using Param = std::tuple<const BoxCase *, QChar>;

std::string caseName(const ::testing::TestParamInfo<Param> &info)
{
    const bool comma = std::get<1>(info.param) == QLatin1Char(',');
    return std::string(std::get<0>(info.param)->name) + (comma ? "_comma" : "_point");
}

// A grid family's box on the real link stack against the simulated register.
class GridOnTheRegister : public ::testing::TestWithParam<Param> {
protected:
    const BoxCase &c = *std::get<0>(GetParam());
    RegisterHarness h{c.start()};
    FamilyContext ctx{h.driver, Regional::withDecimal(std::get<1>(GetParam()))};
    std::unique_ptr<GridFamily> family{c.family(ctx)};
    TextGrid &t = family->grid();
    ExchangeButtons buttons;
    std::unique_ptr<GridBox> box{c.box(*family, buttons)};

    void SetUp() override
    {
        h.watch(*family);
        QObject::connect(&h.driver, &ExchangeDriver::busyChanged, &buttons, &ExchangeButtons::setBusy);
        QString error;
        ASSERT_TRUE(h.open(&error)) << error.toStdString();
        box->resize(700, 400);
        box->show();
    }

    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), std::get<1>(GetParam())); }
    QPushButton *button(const char *name) { return box->findChild<QPushButton *>(QLatin1String(name)); }
    QString cell(int record, int column) const { return t.recordCell(record, column); }
    bool waitForStatus(const char *text) { return RegisterHarness::waitFor([&] { return h.status == u(text); }); }
    void read(const char *readButton, const char *done)
    {
        buttons.setPortOpen(true);
        QTest::mouseClick(button(readButton), Qt::LeftButton);
        ASSERT_TRUE(waitForStatus(done));
    }
};

TEST_P(GridOnTheRegister, ControlsCarryTheirNamesCaptionsAndGridLayout)
{
    EXPECT_EQ(box->objectName(), u(c.boxName));
    EXPECT_EQ(box->title(), u(c.caption));
    ASSERT_NE(button(c.readButton), nullptr);
    ASSERT_NE(button(c.writeButton), nullptr);
    EXPECT_EQ(button(c.readButton)->text(), u("Читање из касе"));
    EXPECT_EQ(button(c.writeButton)->text(), u("Унос у касу"));
    auto *view = box->findChild<QTableView *>(QLatin1String(c.table));
    ASSERT_EQ(view, box->table());
    EXPECT_EQ(view->model(), &t);
    EXPECT_TRUE(view->tabKeyNavigation());
    // The given widths at least, wider where the font needs it for a
    // heading; rows 17 pixels or the font's height.
    for (int col = 0; col < c.widths.size(); ++col) {
        EXPECT_GE(view->columnWidth(col), c.widths[col]) << col;
        EXPECT_GE(view->columnWidth(col), view->fontMetrics().horizontalAdvance(t.cell(col, 0)) + 4) << col;
    }
    for (int r = 0; r < t.rows(); ++r)
        EXPECT_EQ(view->rowHeight(r), qMax(17, view->fontMetrics().height() + 4)) << r;
    // Tab moves to the next cell.
    view->setFocus();
    view->setCurrentIndex(t.index(c.tabRow, c.tabColumn));
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), t.index(c.tabRow, c.tabColumn + 1));
}

TEST_P(GridOnTheRegister, ButtonsFollowThePortAndTheFirstRead)
{
    EXPECT_FALSE(button(c.readButton)->isEnabled());
    EXPECT_FALSE(button(c.writeButton)->isEnabled());
    buttons.setPortOpen(true);
    EXPECT_TRUE(button(c.readButton)->isEnabled());
    EXPECT_FALSE(button(c.writeButton)->isEnabled());
    QTest::mouseClick(button(c.readButton), Qt::LeftButton);
    EXPECT_TRUE(button(c.writeButton)->isEnabled() || h.driver.isBusy());
    ASSERT_TRUE(waitForStatus(c.readDone));
    EXPECT_TRUE(button(c.writeButton)->isEnabled());
    buttons.setPortOpen(false);
    EXPECT_FALSE(button(c.readButton)->isEnabled());
    EXPECT_FALSE(button(c.writeButton)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Families, GridOnTheRegister,
                         ::testing::Combine(::testing::Values(&Groups, &Operators),
                                            ::testing::Values(QChar(','), QChar('.'))),
                         caseName);

// ---- the groups ---------------------------------------------------------

class GroupsOnTheRegister : public GridOnTheRegister {};

TEST_P(GroupsOnTheRegister, ReadsThenWritesTheRegistersMemory)
{
    read("BtnGRead", "Завршено читање група");
    EXPECT_EQ(h.handled(113), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(cell(0, GroupTable::Name), u("Пиће 0"));
    EXPECT_EQ(cell(0, GroupTable::Share), s("0,05"));
    EXPECT_EQ(cell(0, GroupTable::Turnover), QStringLiteral("1000"));
    EXPECT_EQ(cell(4, GroupTable::Share), s("10,05"));
    EXPECT_EQ(cell(4, GroupTable::Turnover), s("1004,04"));
    EXPECT_EQ(cell(7, GroupTable::Name), QString());
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.messages.isEmpty());

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
    read("BtnGRead", "Завршено читање група");
    t.setRecordCell(0, GroupTable::Name, QStringLiteral("First"));
    t.setRecordCell(3, GroupTable::Share, QStringLiteral("101"));
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

INSTANTIATE_TEST_SUITE_P(Groups, GroupsOnTheRegister,
                         ::testing::Combine(::testing::Values(&Groups), ::testing::Values(QChar(','), QChar('.'))),
                         caseName);

// ---- the operators ------------------------------------------------------

class OperatorsOnTheRegister : public GridOnTheRegister {};

TEST_P(OperatorsOnTheRegister, ReadsThenWritesTheRegistersMemory)
{
    read("BtnORead", "Завршено читање оператера");
    EXPECT_TRUE(button("BtnOWrite")->isEnabled());
    QList<int> all;
    for (int k = 0; k < 25; ++k)
        all << k;
    EXPECT_EQ(h.handled(117), all);
    EXPECT_EQ(cell(0, OperatorTable::Name), u("Касир 1"));
    EXPECT_EQ(cell(0, OperatorTable::Password), QStringLiteral("0"));
    EXPECT_EQ(cell(3, OperatorTable::Password), QStringLiteral("3333"));
    EXPECT_EQ(cell(3, OperatorTable::FirstAmount), QStringLiteral("3000"));
    EXPECT_EQ(cell(3, OperatorTable::FirstAmount + 15), s("3015,5"));
    EXPECT_EQ(cell(24, OperatorTable::Password), QStringLiteral("12345678"));
    EXPECT_EQ(h.progress, 0);

    // Operator 25 keeps its long password: the write must stop there.
    t.setData(t.index(1, OperatorTable::Name), u("Ана"));
    t.setData(t.index(1, OperatorTable::Password), QStringLiteral("000777"));
    t.setData(t.index(2, OperatorTable::Name), QString());
    t.setData(t.index(2, OperatorTable::FirstAmount), QStringLiteral("1"));
    const RegisterState before = h.reg.state();
    h.reg.clearLog();
    QTest::mouseClick(button("BtnOWrite"), Qt::LeftButton);
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.messages.isEmpty(); }));
    EXPECT_EQ(h.messages.first(), qMakePair(u("Грешка !!! "), u("Грешка у подацима. Унос отказан!")));
    all.removeLast();
    EXPECT_EQ(h.handled(118), all);
    const auto &ops = h.reg.state().operators;
    EXPECT_EQ(ops[0].name, RegisterState::nameField(u("Ана"), 19, 18));
    EXPECT_EQ(ops[0].password, 777u);
    EXPECT_EQ(ops[1].name, QByteArray(19, char(0xFF)));
    EXPECT_EQ(ops[5].password, 5555u);
    EXPECT_EQ(ops[24].password, 12345678u);
    for (int k = 0; k < 25; ++k)
        EXPECT_TRUE(ops[k].amounts == before.operators[k].amounts) << k;
    EXPECT_EQ(h.status, u("Унос параметара у касу. Молимо, сачекаjте..."));
    EXPECT_EQ(h.progress, 1);

    // With the password corrected the whole write goes through.
    t.setData(t.index(25, OperatorTable::Password), QStringLiteral("246810"));
    h.reg.clearLog();
    QTest::mouseClick(button("BtnOWrite"), Qt::LeftButton);
    ASSERT_TRUE(waitForStatus("Завршен упис оператера"));
    EXPECT_EQ(h.handled(118).size(), 25);
    EXPECT_TRUE(h.handled(117).isEmpty()); // no read-back
    EXPECT_EQ(h.reg.state().operators[24].password, 246810u);
    EXPECT_EQ(cell(1, OperatorTable::FirstAmount), QStringLiteral("1"));
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Operators, OperatorsOnTheRegister,
                         ::testing::Combine(::testing::Values(&Operators), ::testing::Values(QChar(','), QChar('.'))),
                         caseName);

} // namespace
