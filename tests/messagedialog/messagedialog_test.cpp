#include "app/messagedialog.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `step` once the dialog is on screen, from inside its modal loop.
void whenShown(MessageDialog &dialog, std::function<void()> step)
{
    auto *poll = new QTimer(&dialog);
    QObject::connect(poll, &QTimer::timeout, [poll, &dialog, step] {
        if (!dialog.isVisible())
            return;
        poll->deleteLater();
        step();
    });
    poll->start(5);
}

void pressOk(MessageDialog &dialog) { dialog.findChild<QPushButton *>(QStringLiteral("Button1"))->click(); }

} // namespace

TEST(MessageDialog, LooksAsTheSystemsBox)
{
    MessageDialog dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("Dialog"));
    EXPECT_EQ(dialog.size(), QSize(386, 137));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";
    ASSERT_NE(dialog.findChild<QLabel *>(QStringLiteral("Naslov")), nullptr);
    auto *text = dialog.findChild<QPlainTextEdit *>(QStringLiteral("tekst"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(dialog.findChild<QPushButton *>(QStringLiteral("Button1"))->text(), QStringLiteral("У РЕДУ"));
}

TEST(MessageDialog, ShowsModallyAndReturnsWhenClosed)
{
    MessageDialog dialog;
    bool wasModal = false;
    whenShown(dialog, [&] {
        wasModal = QApplication::activeModalWidget() == &dialog;
        EXPECT_EQ(dialog.title(), QStringLiteral("Грешка !!! "));
        EXPECT_EQ(dialog.text(), QStringLiteral("Грешка у подацима"));
        pressOk(dialog);
    });
    dialog.showMessage(QStringLiteral("Грешка !!! "), QStringLiteral("Грешка у подацима"));
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(MessageDialog, MessageRaisedDuringTheModalWaitIsShownAfterTheFirst)
{
    MessageDialog dialog;
    QStringList seen;
    whenShown(dialog, [&] {
        seen << dialog.text();
        // A timer tick raises a second message while the first is on screen.
        dialog.showMessage(QStringLiteral("ГРЕШКА"), QStringLiteral("second"));
        EXPECT_EQ(dialog.text(), QStringLiteral("first")) << "the first stays until it is closed";
        pressOk(dialog);
        whenShown(dialog, [&] {
            seen << dialog.text();
            EXPECT_EQ(dialog.title(), QStringLiteral("ГРЕШКА"));
            pressOk(dialog);
        });
    });
    dialog.showMessage(QStringLiteral("Грешка !!! "), QStringLiteral("first"));
    EXPECT_EQ(seen, (QStringList{"first", "second"}));
    ASSERT_EQ(dialog.history().size(), 2);
    EXPECT_EQ(dialog.history()[1].first, QStringLiteral("ГРЕШКА"));
}

TEST(MessageDialog, NonBlockingSeamRecordsInOrder)
{
    MessageDialog dialog;
    dialog.setNonBlocking(true);
    dialog.showMessage(QStringLiteral("a"), QStringLiteral("1"));
    dialog.showMessage(QStringLiteral("b"), QStringLiteral("2"));
    ASSERT_EQ(dialog.history().size(), 2);
    EXPECT_EQ(dialog.history()[0], qMakePair(QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_EQ(dialog.title(), QStringLiteral("b"));
}
