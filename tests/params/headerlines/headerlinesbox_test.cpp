#include "protocol/frame.h"
#include "params/common/exchangebuttons.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/headerlines/headerlinesbox.h"
#include "support/familylink.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct BoxRig : public ::testing::Test, FamilyLink {
    HeaderLineFamily lines{ctx};
    ExchangeButtons buttons;
    HeaderLinesBox box{lines, buttons};

    QLineEdit *edit(const char *name) { return box.findChild<QLineEdit *>(QString::fromLatin1(name)); }
};

TEST_F(BoxRig, NamesCaptionsAndLineOrder)
{
    EXPECT_EQ(box.objectName(), QStringLiteral("GBKlishe"));
    EXPECT_EQ(box.title(), QStringLiteral("Заглавље и поруке"));
    const char *names[] = {"edtFTop", "edtSTop", "edtFBottom", "edtSBottom", "edtRed4", "edtRed5", "edtRed6", "edtRed7"};
    const QStringList captions = {"Први ред",  "Други ред", "Трећи ред", "Четврти ред",
                                  "Пети ред", "Шести ред", "Седми ред", "Осми ред"};
    for (int i = 0; i < 8; ++i) {
        ASSERT_NE(edit(names[i]), nullptr) << names[i];
        EXPECT_EQ(box.field(i), edit(names[i]));
        auto *label = box.findChild<QLabel *>(QStringLiteral("lbl") + QString::fromLatin1(names[i]));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), captions[i]);
    }
    EXPECT_EQ(box.readButton()->objectName(), QStringLiteral("btnReadCliche"));
    EXPECT_EQ(box.readButton()->text(), QStringLiteral("Читање из касе"));
    EXPECT_EQ(box.writeButton()->objectName(), QStringLiteral("btnWriteCliche"));
    EXPECT_EQ(box.writeButton()->text(), QStringLiteral("Унос у касу"));
}

TEST_F(BoxRig, TypingStopsAtEighteenCharacters)
{
    QLineEdit *e = edit("edtSTop");
    QTest::keyClicks(e, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUV"));
    EXPECT_EQ(e->text(), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
    EXPECT_EQ(lines.line(1), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
}

TEST_F(BoxRig, PasteIntoAFieldInsertsOnlyWhatFits)
{
    QLineEdit *e = edit("edtFTop");
    e->setText(QStringLiteral("0123456789"));
    e->setCursorPosition(5);
    QApplication::clipboard()->setText(QStringLiteral("abcdefghijkl"));
    e->paste();
    EXPECT_EQ(e->text(), QStringLiteral("01234abcdefgh56789"));
    EXPECT_EQ(e->cursorPosition(), 13);
    EXPECT_EQ(lines.line(0), e->text());
}

TEST_F(BoxRig, ReadTextIsNotCutAndCanStillBeShortened)
{
    port.open = true;
    buttons.setPortOpen(true);
    lines.btnReadClicheClick();
    const QByteArray text = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    driver.received(Frame::build({0, 0x45, 0x12}, 1, 101, QByteArray(1, '\0') + text));
    QLineEdit *e = edit("edtFTop");
    EXPECT_EQ(e->text(), QString::fromLatin1(text));
    // Typing into the over-long field adds nothing; deleting works.
    e->setFocus();
    e->end(false);
    QTest::keyClick(e, Qt::Key_Z);
    EXPECT_EQ(e->text(), QString::fromLatin1(text));
    QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(e->text(), QString::fromLatin1(text.left(24)));
    EXPECT_EQ(lines.line(0), QString::fromLatin1(text.left(24)));
}

TEST_F(BoxRig, WriteButtonIsAllowedOnceAReadStarts)
{
    buttons.setPortOpen(true);
    EXPECT_TRUE(box.readButton()->isEnabled());
    EXPECT_FALSE(box.writeButton()->isEnabled());
    QObject::connect(&driver, &ExchangeDriver::busyChanged, &buttons, &ExchangeButtons::setBusy);
    box.readButton()->click();
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_FALSE(box.writeButton()->isEnabled()); // the read runs
    driver.cancel();
    EXPECT_TRUE(box.writeButton()->isEnabled());
    buttons.setPortOpen(false);
    EXPECT_FALSE(box.writeButton()->isEnabled());
    EXPECT_FALSE(box.readButton()->isEnabled());
}

} // namespace
