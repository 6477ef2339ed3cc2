#include "params/logo/logopasswordboxrig.h"
#include "params/passwords/passwordsbox.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Types into a field of the box as the user would.
class PasswordsOnTheRegister : public LogoPasswordBoxOnTheRegister<PasswordsBox, PasswordFamily> {
protected:
    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = child<QLineEdit>(name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
};

INSTANTIATE_TEST_SUITE_P(Regional, PasswordsOnTheRegister, ::testing::Values(QChar(','), QChar('.')),
                         separatorName);

TEST_P(PasswordsOnTheRegister, ControlsCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(box.objectName(), u("GBLozinke"));
    EXPECT_EQ(box.title(), u("Лозинке"));
    EXPECT_EQ(child<QLabel>("LblPassServ")->text(), u("Сервисна лозинка:"));
    EXPECT_EQ(child<QLabel>("LblPassIzv")->text(), u("Лозинка за извештаје:"));
    EXPECT_EQ(child<QPushButton>("BtnLozinkaRead")->text(), u("Читање из касе"));
    EXPECT_EQ(child<QPushButton>("BtnLozinkaWrite")->text(), u("Унос у касу"));
    EXPECT_EQ(child<QLineEdit>("EdtPassServ")->property("dataLook").toString(), u("bold"));
    EXPECT_EQ(child<QLineEdit>("EdtPassIzv")->property("dataLook").toString(), u("bold"));
    EXPECT_LT(child<QLabel>("LblPassServ")->y(), child<QLineEdit>("EdtPassServ")->y());
    EXPECT_LT(child<QLabel>("LblPassIzv")->y(), child<QLineEdit>("EdtPassIzv")->y());
}

TEST_P(PasswordsOnTheRegister, WriteButtonWaitsForARead)
{
    EXPECT_TRUE(box.readButton()->isEnabled());
    EXPECT_FALSE(box.writeButton()->isEnabled());
    click("BtnLozinkaRead");
    ASSERT_TRUE(waitForStatus("Завршено читање лозинки"));
    EXPECT_TRUE(box.writeButton()->isEnabled());
    buttons.setPortOpen(false);
    EXPECT_FALSE(box.writeButton()->isEnabled());
    buttons.setPortOpen(true);
    EXPECT_FALSE(box.writeButton()->isEnabled());
}

TEST_P(PasswordsOnTheRegister, ReadThenWriteKeepsTheLogo)
{
    const RegisterState before = h.reg.state();
    click("BtnLozinkaRead");
    ASSERT_TRUE(waitForStatus("Завршено читање лозинки"));
    EXPECT_EQ(box.serviceField()->text(), QString::number(before.servicePassword));
    EXPECT_EQ(box.reportField()->text(), QString::number(before.reportPassword));

    type("EdtPassServ", QStringLiteral(" 000777 "));
    type("EdtPassIzv", QStringLiteral("31415"));
    click("BtnLozinkaWrite");
    ASSERT_TRUE(waitForStatus("Завршен упис лозинки"));
    const RegisterState &after = h.reg.state();
    EXPECT_EQ(after.servicePassword, 777u);
    EXPECT_EQ(after.reportPassword, 31415u);
    EXPECT_EQ(after.logoHeight, before.logoHeight);
    EXPECT_EQ(after.logoRows, before.logoRows);
    EXPECT_TRUE(h.messages.isEmpty());

    // Read back, the leading zeros are gone.
    click("BtnLozinkaRead");
    ASSERT_TRUE(waitForStatus("Завршено читање лозинки"));
    EXPECT_EQ(box.serviceField()->text(), QStringLiteral("777"));
}

TEST_P(PasswordsOnTheRegister, BadPasswordsChangeNothingInTheRegister)
{
    click("BtnLozinkaRead");
    ASSERT_TRUE(waitForStatus("Завршено читање лозинки"));
    const RegisterState before = h.reg.state();
    const int requests = h.reg.requestCount();
    type("EdtPassServ", QStringLiteral("1234567"));
    click("BtnLozinkaWrite");
    ASSERT_EQ(h.messages.size(), 1);
    EXPECT_EQ(h.messages.first().first, u("ГРЕШКА"));
    EXPECT_EQ(h.messages.first().second, u("Лоше лозинке!"));
    EXPECT_EQ(box.serviceField()->text(), QStringLiteral("1234567"));
    EXPECT_EQ(h.status, u("Каса чита. Молимо, сачекаjте..."));
    // Nothing went out: a following read is answered with the old record.
    click("BtnLozinkaRead");
    ASSERT_TRUE(waitForStatus("Завршено читање лозинки"));
    EXPECT_EQ(h.reg.requestCount(), requests + 1);
    EXPECT_EQ(h.reg.state(), before);
}

} // namespace
