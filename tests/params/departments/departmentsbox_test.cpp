#include "support/boxontheregister.h"
#include "protocol/commands.h"
#include "params/departments/departmentfamily.h"
#include "params/departments/departmentsbox.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

RegisterDepartment department(const char *name, quint8 group, quint8 tax, quint32 price, quint32 whole, quint8 cents)
{
    RegisterDepartment d;
    d.name = RegisterState::nameField(u(name), RegisterState::DepartmentNameWidth, RegisterState::DepartmentNameWidth);
    d.group = group;
    d.tax = tax;
    d.price = price;
    d.turnover = RegisterAmount{whole, cents};
    return d;
}

// The department box on the real link stack against the simulated register.
class DepartmentsOnTheRegister : public BoxOnTheRegister<DepartmentFamily, DepartmentsBox> {
protected:
    void SetUp() override { openAndShow(600, 400); }

    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
    void selectRow(int row) { box.table()->setCurrentIndex(family.model().index(row, 1)); }
    QString cell(int row, int column) const { return family.model().cell(row, column); }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, DepartmentsOnTheRegister, ::testing::Values(QChar(','), QChar('.')),
                         separatorName);

TEST_P(DepartmentsOnTheRegister, ControlsCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(box.objectName(), u("gbStands"));
    EXPECT_EQ(box.title(), u(" Одељења : "));
    struct Caption {
        const char *name;
        const char *text;
    } labels[] = {{"LblONaziv", "Назив"}, {"LblOCena", "Цена"}, {"LblOGrupa", "Група"}, {"lblOPorez", "Порез"}};
    for (const Caption &c : labels) {
        if (QLabel *l = child<QLabel>(c.name)) {
            EXPECT_EQ(l->text(), u(c.text));
        }
    }
    Caption captions[] = {{"BtnOCor", "Исправка"},         {"BtnOFileSave", "Снимање у фаjл"},
                          {"BtnOFileRead", "Читање из фаjла"}, {"btnSTRead", "Читање из касе"},
                          {"btnSTWrite", "Унос у касу"}};
    for (const Caption &c : captions) {
        if (QPushButton *b = child<QPushButton>(c.name)) {
            EXPECT_EQ(b->text(), u(c.text));
        }
    }
    EXPECT_EQ(child<QComboBox>("CB_OGrupa")->count(), 13);
    EXPECT_EQ(child<QComboBox>("CB_OPorez")->count(), 9);
    EXPECT_EQ(child<QComboBox>("CB_OPorez")->currentText(), u("А"));
    EXPECT_EQ(child<QTableView>("SgPodgrupe")->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(cell(2, 2), s("0,00"));
}

TEST_P(DepartmentsOnTheRegister, ReadFillsTheTableFromTheRegister)
{
    auto &deps = h.reg.state().departments;
    deps[0] = department("Пиће", 3, 1, 1250, 10000, 50);
    deps[1] = department("Храна", 13, 9, 99, 0, 150);
    deps[2].name = QByteArray(RegisterState::DepartmentNameWidth, '\0');
    deps[7] = department("Последње", 15, 8, 4294967295u, 7, 0);

    QPushButton *write = child<QPushButton>("btnSTWrite");
    EXPECT_FALSE(write->isEnabled()) << "the write waits for a read";
    click("btnSTRead");
    EXPECT_TRUE(write->isEnabled());
    ASSERT_TRUE(waitForStatus("Завршено читање подгрупа")) << h.status.toStdString();
    EXPECT_EQ(h.progress, 0);
    EXPECT_EQ(h.handled(Command::ReadDepartment), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    EXPECT_EQ(cell(0, 1), u("Пиће"));
    EXPECT_EQ(cell(0, 2), s("12,5"));
    EXPECT_EQ(cell(0, 3), u("3"));
    EXPECT_EQ(cell(0, 4), u("Г"));
    EXPECT_EQ(cell(0, 5), s("10000,5"));
    EXPECT_EQ(cell(1, 3), u("13"));
    EXPECT_EQ(cell(1, 4), u("А")) << "tax index 9 shows А";
    EXPECT_EQ(cell(1, 5), s("1,5"));
    EXPECT_EQ(cell(2, 1), QString()) << "name bytes all 0x00";
    EXPECT_EQ(cell(3, 1), QString()) << "a blank register has 0xFF names";
    EXPECT_EQ(cell(7, 2), s("42949672,95"));

    // Group 13 from the register selects no item in the group list.
    selectRow(1);
    EXPECT_EQ(child<QLineEdit>("EdtONaziv")->text(), u("Храна"));
    EXPECT_EQ(child<QLineEdit>("EdtOCena")->text(), s("0,99"));
    EXPECT_EQ(child<QComboBox>("CB_OGrupa")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>("CB_OPorez")->currentIndex(), 0);
    EXPECT_TRUE(h.errors.isEmpty());
}

TEST_P(DepartmentsOnTheRegister, CorrectionRefusedAndAccepted)
{
    selectRow(3);
    EXPECT_EQ(child<QLineEdit>("EdtONaziv")->text(), u("Одељење 4"));
    child<QLineEdit>("EdtONaziv")->setText(u("  Воће  "));
    child<QLineEdit>("EdtOCena")->setText(s("0,005"));
    click("BtnOCor");
    ASSERT_EQ(h.messages.size(), 1);
    EXPECT_EQ(h.messages.at(0).first, u("Грешка !!! "));
    EXPECT_EQ(h.messages.at(0).second, u("Грешка у подацима"));
    EXPECT_EQ(cell(3, 1), u("Одељење 4")) << "a refused correction leaves the row";

    child<QLineEdit>("EdtOCena")->setText(u("12.50"));
    child<QComboBox>("CB_OGrupa")->setCurrentIndex(12);
    child<QComboBox>("CB_OPorez")->setCurrentIndex(7);
    click("BtnOCor");
    EXPECT_EQ(h.messages.size(), 1);
    EXPECT_EQ(cell(3, 1), u("  Воће  "));
    EXPECT_EQ(cell(3, 2), s("12,5"));
    EXPECT_EQ(cell(3, 3), u("12"));
    EXPECT_EQ(cell(3, 4), u("J"));
    EXPECT_EQ(cell(3, 5), s("0,00"));

    child<QLineEdit>("EdtOCena")->setText(s(",5"));
    click("BtnOCor");
    EXPECT_EQ(cell(3, 2), s("0,5"));

    child<QLineEdit>("EdtOCena")->setText(s("1,x"));
    click("BtnOCor");
    ASSERT_EQ(h.errors.size(), 1);
    EXPECT_EQ(h.errors.at(0), s("'1,x' is not a valid floating point value"));
    EXPECT_EQ(cell(3, 2), s("0,5"));
}

TEST_P(DepartmentsOnTheRegister, WriteStoresAllEightInTheRegister)
{
    const DepartmentRow rows[] = {
        {u("  Пиће  "), s("12,345"), u("3"), u("Ђ"), u("1")},
        {u("  Пиће  "), u("7"), u("0"), u("А"), u("2")},
        {u("   "), s("0,5"), u("12"), u("К"), u("3")},
        {u("ABCDEFGHIJKLMNOPQRST"), u("abc"), u("1"), u("ЖЖ"), u("4")},
    };
    for (int r = 0; r < 4; ++r)
        family.model().setRow(r, rows[r]);
    click("btnSTRead"); // the write button comes with a read
    ASSERT_TRUE(waitForStatus("Завршено читање подгрупа"));
    for (int r = 0; r < 4; ++r)
        family.model().setRow(r, rows[r]);
    h.reg.clearLog();

    click("btnSTWrite");
    EXPECT_EQ(h.status, u("Унос параметара у касу. Молимо, сачекаjте..."));
    ASSERT_TRUE(waitForStatus("Успешно уписана одељења")) << h.status.toStdString();
    EXPECT_EQ(h.progress, 0);
    EXPECT_EQ(h.handled(Command::WriteDepartment), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    const auto &deps = h.reg.state().departments;
    EXPECT_EQ(deps[0].name.toHex(), QByteArray("8fa8bca5").append(28, '0')) << "department 1 trimmed";
    EXPECT_EQ(deps[0].group, 3);
    EXPECT_EQ(deps[0].tax, 3);
    EXPECT_EQ(deps[0].price, 1234u) << "12,345 is cut to 1234 hundredths";
    EXPECT_EQ(deps[1].name.toHex(), QByteArray("20208fa8bca52020").append(20, '0')) << "department 2 untrimmed";
    EXPECT_EQ(deps[1].price, 700u);
    EXPECT_EQ(deps[2].name, QByteArray(18, char(0xFF)));
    EXPECT_EQ(deps[2].group, 12);
    EXPECT_EQ(deps[2].tax, 8);
    EXPECT_EQ(deps[2].price, 50u);
    EXPECT_EQ(deps[3].name, QByteArray("ABCDEFGHIJKLMNOPQR"));
    EXPECT_EQ(deps[3].price, 0u) << "a price that does not convert goes as 0";
    EXPECT_EQ(deps[3].tax, 5);
    EXPECT_EQ(deps[4].name, QByteArray(18, char(0xFF))) << "the blank register's empty names went back empty";

    // Read back: the register holds what the table said.
    click("btnSTRead");
    ASSERT_TRUE(waitForStatus("Завршено читање подгрупа"));
    EXPECT_EQ(cell(0, 1), u("Пиће"));
    EXPECT_EQ(cell(0, 2), s("12,34"));
    EXPECT_EQ(cell(1, 1), u("  Пиће  "));
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_TRUE(h.errors.isEmpty());
}

TEST_P(DepartmentsOnTheRegister, WriteStopsAtAGroupThatIsNoWholeNumber)
{
    click("btnSTRead");
    ASSERT_TRUE(waitForStatus("Завршено читање подгрупа"));
    const RegisterState before = h.reg.state();
    for (int r = 0; r < 8; ++r)
        family.model().setCell(r, DepartmentTableModel::Price, QStringLiteral("%1").arg(r + 1));
    family.model().setCell(4, DepartmentTableModel::Group, s("2,5"));
    h.reg.clearLog();

    click("btnSTWrite");
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.errors.isEmpty(); })) << h.status.toStdString();
    EXPECT_EQ(h.errors.at(0), s("'2,5' is not a valid integer value"));
    EXPECT_EQ(h.status, u("Унос параметара у касу. Молимо, сачекаjте..."));
    // Nothing is sent after the error: no exchange is left outstanding.
    ASSERT_TRUE(RegisterHarness::waitFor([&] { return !h.driver.isBusy(); }));
    EXPECT_EQ(h.handled(Command::WriteDepartment), (QList<int>{0, 1, 2, 3}));
    const auto &deps = h.reg.state().departments;
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(deps[std::size_t(r)].price, quint32((r + 1) * 100)) << r;
    for (int r = 4; r < 8; ++r)
        EXPECT_EQ(deps[std::size_t(r)], before.departments[std::size_t(r)]) << r;
    EXPECT_TRUE(h.messages.isEmpty());
}

TEST_P(DepartmentsOnTheRegister, ClickOnTheCurrentDepartmentFillsTheFieldsEveryTime)
{
    h.reg.state().departments[0] = department("Пиће", 3, 1, 1250, 0, 0);
    click("btnSTRead");
    ASSERT_TRUE(waitForStatus("Завршено читање подгрупа"));
    QTableView *view = box.table();
    const QModelIndex first = family.model().index(0, 1);
    ASSERT_EQ(view->currentIndex(), first) << "department 1 is current from the start";
    QLineEdit *name = child<QLineEdit>("EdtONaziv");
    QLineEdit *price = child<QLineEdit>("EdtOCena");
    ASSERT_EQ(name->text(), QString());

    for (int attempt = 0; attempt < 2; ++attempt) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(first).center());
        EXPECT_EQ(name->text(), u("Пиће")) << attempt;
        EXPECT_EQ(price->text(), s("12,5")) << attempt;
        EXPECT_EQ(child<QComboBox>("CB_OGrupa")->currentText(), u("3")) << attempt;
        EXPECT_EQ(child<QComboBox>("CB_OPorez")->currentText(), u("Г")) << attempt;
        // The user changes the fields; the next click restores them.
        name->setText(u("друго"));
        price->setText(u("7"));
        child<QComboBox>("CB_OGrupa")->setCurrentIndex(0);
        child<QComboBox>("CB_OPorez")->setCurrentIndex(5);
    }
}

TEST_P(DepartmentsOnTheRegister, EveryClickOnARowWithABadGroupReportsItOnce)
{
    family.model().setCell(2, DepartmentTableModel::Group, u("x"));
    QSignalSpy fills(&family, &DepartmentFamily::editsFilled);
    QTableView *view = box.table();
    const QModelIndex third = family.model().index(2, 1);
    for (int clicks = 1; clicks <= 2; ++clicks) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(third).center());
        EXPECT_EQ(fills.count(), clicks) << "a click that moves the current cell counts once";
        EXPECT_EQ(h.errors.size(), clicks);
    }
    EXPECT_EQ(h.errors.value(0), u("'x' is not a valid integer value"));
    EXPECT_EQ(child<QLineEdit>("EdtONaziv")->text(), u("Одељење 3"));
    // The keyboard moves select as well.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(fills.count(), 3);
    EXPECT_EQ(child<QLineEdit>("EdtONaziv")->text(), u("Одељење 4"));
}
