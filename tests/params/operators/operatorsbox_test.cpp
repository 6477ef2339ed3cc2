#include "support/registerharness.h"
#include "params/common/exchangebuttons.h"
#include "params/operators/operators.h"
#include "params/operators/operatorsbox.h"

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

// The operator box on the real link stack against the simulated register.
class OperatorsOnTheRegister : public ::testing::TestWithParam<QChar> {
protected:
    RegisterHarness h{startState()};
    FamilyContext ctx{h.driver, Regional::withDecimal(GetParam())};
    Operators family{ctx};
    ExchangeButtons buttons;
    OperatorsBox box{family, buttons};

    void SetUp() override
    {
        h.watch(family);
        QObject::connect(&h.driver, &ExchangeDriver::busyChanged, &buttons, &ExchangeButtons::setBusy);
        QString error;
        ASSERT_TRUE(h.open(&error)) << error.toStdString();
        buttons.setPortOpen(true);
        box.resize(700, 400);
        box.show();
    }

    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
    QPushButton *button(const char *name) { return box.findChild<QPushButton *>(QLatin1String(name)); }
    QString cell(int index, int column) const { return family.table().operatorCell(index, column); }
    bool waitForStatus(const char *text) { return RegisterHarness::waitFor([&] { return h.status == u(text); }); }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, OperatorsOnTheRegister, ::testing::Values(QChar(','), QChar('.')),
                         separatorName);

TEST_P(OperatorsOnTheRegister, ControlsCarryTheirNamesCaptionsAndGridLayout)
{
    EXPECT_EQ(box.objectName(), u("GBOperateri"));
    EXPECT_EQ(box.title(), u("Оператери"));
    ASSERT_NE(button("BtnORead"), nullptr);
    ASSERT_NE(button("BtnOWrite"), nullptr);
    EXPECT_EQ(button("BtnORead")->text(), u("Читање из касе"));
    EXPECT_EQ(button("BtnOWrite")->text(), u("Унос у касу"));
    EXPECT_TRUE(button("BtnORead")->isEnabled());
    EXPECT_FALSE(button("BtnOWrite")->isEnabled());
    auto *view = box.findChild<QTableView *>(QStringLiteral("SGOperateri"));
    ASSERT_EQ(view, box.table());
    EXPECT_TRUE(view->tabKeyNavigation());
    const int widths[] = {30, 144, 102, 80, 82, 90, 93, 97, 89, 95, 98, 92, 92, 92, 93, 86, 85, 101, 100};
    // The given widths at least, wider where the font needs it for a
    // heading; rows 17 pixels or the font's height.
    for (int c = 0; c < 19; ++c) {
        EXPECT_GE(view->columnWidth(c), widths[c]) << c;
        EXPECT_GE(view->columnWidth(c),
                  view->fontMetrics().horizontalAdvance(family.table().index(0, c).data().toString()) + 4) << c;
    }
    EXPECT_EQ(view->rowHeight(3), qMax(17, view->fontMetrics().height() + 4));
    view->setFocus();
    view->setCurrentIndex(family.table().index(2, 17));
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), family.table().index(2, 18));
}

TEST_P(OperatorsOnTheRegister, ReadsThenWritesTheRegistersMemory)
{
    QTest::mouseClick(button("BtnORead"), Qt::LeftButton);
    EXPECT_TRUE(button("BtnOWrite")->isEnabled() || h.driver.isBusy());
    ASSERT_TRUE(waitForStatus("Завршено читање оператера"));
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
    OperatorTable &t = family.table();
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
