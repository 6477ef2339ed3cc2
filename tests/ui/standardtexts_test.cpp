// The Serbian texts of Qt's own dialogs, as the program installs them.
#include "app/standardtexts.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class StandardTexts_ : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StandardTexts::install(*qApp)); }
};

QString buttonText(QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox box(which);
    return box.button(which)->text();
}

QStringList labelTexts(const QWidget &w)
{
    QStringList out;
    for (const QLabel *label : w.findChildren<QLabel *>())
        out << label->text();
    return out;
}

QStringList actionTexts(const QWidget &w)
{
    QStringList out;
    for (const QAction *a : w.findChildren<QAction *>())
        out << a->text();
    return out;
}

} // namespace

TEST_F(StandardTexts_, ButtonBoxAndMessageBoxButtons)
{
    struct Case {
        QDialogButtonBox::StandardButton button;
        QString texts; // the generic text or the GNOME one, whichever the theme gives
    };
    const QList<Case> cases = {{QDialogButtonBox::Cancel, QStringLiteral("Откажи|&Откажи")},
                               {QDialogButtonBox::Save, QStringLiteral("Сачувај|&Сачувај")},
                               {QDialogButtonBox::Ok, QStringLiteral("У реду|&У реду")},
                               {QDialogButtonBox::Open, QStringLiteral("Отвори")},
                               {QDialogButtonBox::Yes, QStringLiteral("&Да")},
                               {QDialogButtonBox::No, QStringLiteral("&Не")},
                               {QDialogButtonBox::Close, QStringLiteral("Затвори|&Затвори")}};
    for (const Case &c : cases)
        EXPECT_TRUE(c.texts.split(QLatin1Char('|')).contains(buttonText(c.button)))
            << buttonText(c.button).toStdString();

    QMessageBox box(QMessageBox::Warning, QStringLiteral("x"), QStringLiteral("y"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Не"));
}

TEST_F(StandardTexts_, FileDialogLabelsAndTitle)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Сачувај као"));
    const QStringList labels = labelTexts(dialog);
    for (const QString &text : {QStringLiteral("Тражи у:"), QStringLiteral("&Назив фајла:"),
                                QStringLiteral("Врста фајлова:")})
        EXPECT_TRUE(labels.contains(text)) << text.toStdString() << " in " << labels.join('|').toStdString();
    const auto *buttons = dialog.findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("&Сачувај"));
    QStringList tips;
    for (const QToolButton *b : dialog.findChildren<QToolButton *>())
        tips << b->toolTip();
    EXPECT_TRUE(tips.contains(QStringLiteral("Назад"))) << tips.join('|').toStdString();
    EXPECT_TRUE(tips.contains(QStringLiteral("Нова фасцикла"))) << tips.join('|').toStdString();

    QFileDialog open;
    open.setOption(QFileDialog::DontUseNativeDialog);
    open.setAcceptMode(QFileDialog::AcceptOpen);
    EXPECT_EQ(open.windowTitle(), QStringLiteral("Отвори"));
}

TEST_F(StandardTexts_, PrintPreviewActions)
{
    QPrintPreviewDialog preview;
    const QStringList actions = actionTexts(preview);
    for (const QString &text : {QStringLiteral("Следећа страна"), QStringLiteral("Претходна страна"),
                                QStringLiteral("Увећај"), QStringLiteral("Умањи"), QStringLiteral("Штампај"),
                                QStringLiteral("Подешавање странице"), QStringLiteral("Усправно"),
                                QStringLiteral("Положено")})
        EXPECT_TRUE(actions.contains(text)) << text.toStdString() << " in " << actions.join('|').toStdString();
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Преглед пре штампе"));
}
