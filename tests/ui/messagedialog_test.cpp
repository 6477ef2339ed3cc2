#include "app/messagedialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextLayout>
#include <cmath>
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
    auto *text = dialog.findChild<QLabel *>(QStringLiteral("tekst"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->wordWrap());
    EXPECT_FALSE(text->textInteractionFlags() & Qt::TextEditable);
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

// ---------------------------------------------------------------- whole text

namespace {

// The widest line of `text` laid out as a word-wrapping label lays it out.
int widestWrappedLine(const QString &text, const QFont &font, int width)
{
    qreal widest = 0;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
    }
    return int(std::ceil(widest));
}

struct Shown {
    QSize dialog;
    QRect textInDialog;  // the text label's visible area, in dialog coordinates
    int textWidth = 0;
    int textHeight = 0;
    int neededHeight = 0; // what the label needs at its width
    int widestLine = 0;   // the widest line of the text, unwrapped
    int widestWrapped = 0; // the widest line as the label wraps it
    int textInnerWidth = 0;
    bool scrolls = false;
    QRect frame;
    QRect screen;
    QRect button;
    QString shownText;
};

// Shows `text` the way callers do and measures the dialog while it is up.
Shown measure(const QString &title, const QString &text, QWidget *owner = nullptr)
{
    MessageDialog dialog(owner);
    Shown seen;
    whenShown(dialog, [&] {
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("tekst"));
        auto *area = dialog.findChild<QScrollArea *>();
        seen.dialog = dialog.size();
        seen.textInDialog = QRect(area->mapTo(&dialog, QPoint(0, 0)), area->viewport()->size());
        seen.textWidth = label->width();
        seen.textHeight = label->height();
        seen.neededHeight = label->heightForWidth(label->width());
        for (const QString &line : text.split(QLatin1Char('\n')))
            seen.widestLine = std::max(seen.widestLine, label->fontMetrics().horizontalAdvance(line));
        seen.textInnerWidth = label->contentsRect().width();
        seen.widestWrapped = widestWrappedLine(label->text(), label->font(), seen.textInnerWidth);
        seen.scrolls = area->verticalScrollBar()->isVisible();
        seen.frame = dialog.frameGeometry();
        seen.screen = dialog.screen()->availableGeometry();
        seen.button = dialog.findChild<QPushButton *>(QStringLiteral("Button1"))->geometry();
        seen.shownText = dialog.text();
        pressOk(dialog);
    });
    dialog.showMessage(title, text);
    return seen;
}

struct LongMessage {
    const char *name;
    const char *title;
    const char *text;
};

// The longest messages the program raises, and a few beyond them.
const LongMessage LongMessages[] = {
    {"port_refused", "ГРЕШКА",
     "Problem u otvaranju porta (win error code: 13)\n"
     "Korisnik mora biti član grupe dialout (sudo usermod -aG dialout $USER)."},
    {"port_gone", "ГРЕШКА",
     "Uređaj na portu /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0 više nije dostupan "
     "(isključen je); port je zatvoren."},
    {"no_reply", "Грешка !!! ", "Нема одзива са комуникационог порта. Молимо, проверите прикључке"},
    {"skipped_records", "Пажња!!! ",
     "Записи терминала који не одговарају ниједном артиклу нису увезени: 3999"},
    {"terminal_price", "Грешка", "Цена артикла 4000 (12345678901234567890) не може да се пошаље терминалу."},
    {"path_wider_than_the_screen", "ГРЕШКА",
     "/home/korisnik/Dokumenti/kase/prodavnica_broj_7/artikli/2024/ART_0123456789_kopija_poslednja_ispravljena.CSV "
     "ne može da se otvori."},
    {"code_wider_than_the_screen", "Грешка",
     "Бар код се не слаже: "
     "8600123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890"},
    {"ten_lines", "Информација !!!",
     "1 прва линија поруке\n2 друга\n3 трећа\n4 четврта\n5 пета\n6 шеста\n7 седма\n8 осма\n9 девета\n10 десета"},
};

class WholeText : public ::testing::TestWithParam<LongMessage> {};

std::string messageName(const ::testing::TestParamInfo<LongMessage> &info) { return info.param.name; }

} // namespace

INSTANTIATE_TEST_SUITE_P(Messages, WholeText, ::testing::ValuesIn(LongMessages), messageName);

TEST_P(WholeText, TheLabelsRequiredSizeFitsInsideTheDialogOnScreen)
{
    const Shown seen = measure(QString::fromUtf8(GetParam().title), QString::fromUtf8(GetParam().text));
    EXPECT_LE(seen.neededHeight, seen.textHeight) << "wrapped text taller than its label";
    EXPECT_LE(seen.widestWrapped, seen.textInnerWidth) << "a line runs past the label's edge";
    EXPECT_LE(seen.textHeight, seen.textInDialog.height()) << "label taller than what shows of it";
    EXPECT_LE(seen.textWidth, seen.textInDialog.width()) << "label wider than what shows of it";
    EXPECT_FALSE(seen.scrolls);
    EXPECT_TRUE(QRect(QPoint(0, 0), seen.dialog).contains(seen.textInDialog));
    EXPECT_LE(seen.textInDialog.bottom(), seen.button.top()) << "the button covers the text";
    EXPECT_EQ(seen.shownText, QString::fromUtf8(GetParam().text)) << "the caller's text is kept as given";
    EXPECT_TRUE(seen.screen.contains(seen.frame))
        << "frame " << seen.frame.width() << "x" << seen.frame.height() << " screen " << seen.screen.width()
        << "x" << seen.screen.height();
}

TEST(MessageDialogSize, ShortMessageKeepsTheSmallBox)
{
    const Shown seen = measure(QStringLiteral("Грешка !!! "), QStringLiteral("Грешка у подацима"));
    EXPECT_EQ(seen.dialog, QSize(386, 137));
    EXPECT_EQ(seen.button, QRect(152, 78, 80, 24));
}

TEST(MessageDialogSize, WordWiderThanTheBoxWidensItWithinTheScreen)
{
    // About 420 pixels: wider than the small box, narrower than any screen.
    const QString path = QStringLiteral("/home/") + QString(45, QLatin1Char('x')) + QStringLiteral("/ART_123.CSV");
    const Shown seen = measure(QStringLiteral("ГРЕШКА"), path);
    EXPECT_GE(seen.textWidth, seen.widestLine) << "the one word cannot wrap";
    EXPECT_GT(seen.dialog.width(), 386);
    EXPECT_TRUE(seen.screen.contains(seen.frame));
    EXPECT_NEAR(seen.button.center().x(), seen.dialog.width() / 2, 2) << "the button stays centred";
}

TEST(MessageDialogSize, TextTallerThanTheScreenScrollsInsideIt)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("линија %1").arg(i);
    const Shown seen = measure(QStringLiteral("ГРЕШКА"), lines.join(QLatin1Char('\n')));
    EXPECT_TRUE(seen.screen.contains(seen.frame));
    EXPECT_TRUE(seen.scrolls) << "what does not fit on the screen can still be read";
}

TEST(MessageDialogSize, NextMessageTakesItsOwnSize)
{
    MessageDialog dialog;
    dialog.setNonBlocking(true);
    dialog.showMessage(QStringLiteral("ГРЕШКА"), QString::fromUtf8(LongMessages[5].text));
    const QSize large = dialog.size();
    dialog.showMessage(QStringLiteral("Грешка !!! "), QStringLiteral("Грешка у подацима"));
    EXPECT_EQ(dialog.size(), QSize(386, 137));
    EXPECT_NE(large, dialog.size());
}
