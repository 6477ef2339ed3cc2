// The command files of the terminal window on a disk that fails, and the
// empty price of a named row.
#include "params/articles/articletablemodel.h"
#include "widgets/filedialogs.h"
#include "support/failingsaves.h"
#include "terminal/terminalfiles.h"
#include "terminal/terminalwindow.h"
#include "support/filebytes.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

class TerminalSaveTest : public ::testing::Test {
protected:
    ArticleTableModel model;
    Regional regional = Regional::comma();
    TfrmTerminal window{model, regional};
    QTemporaryDir dir;
    QStringList messages;
    QStringList errors;

    void SetUp() override
    {
        QObject::connect(&window, &TfrmTerminal::message,
                         [this](const QString &, const QString &x) { messages << x; });
        QObject::connect(&window, &TfrmTerminal::programError, [this](const QString &e) { errors << e; });
        ArticleRow r = model.row(0);
        r.name = QStringLiteral("Хлеб");
        r.price = QStringLiteral("45,5");
        model.setRow(0, r);
    }
    QString path() const { return dir.filePath(QStringLiteral("Command.iv")); }
    void click(const char *name)
    {
        FileDialogs::answerNext(path());
        auto *b = window.findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
};

TEST_F(TerminalSaveTest, EveryCommandFileKeepsTheOldFileWhenTheDiskFails)
{
    using FileStore::SaveStep;
    for (const char *button : {"BtnExportGPRS", "BtnUpisSelektovanih", "BtnCitanje", "BtnDnevni"}) {
        for (SaveStep step : {SaveStep::Open, SaveStep::Write, SaveStep::Flush, SaveStep::Commit}) {
            writeFile(path(), "previous");
            errors.clear();
            FailingSaves failing(step, ENOSPC);
            click(button);
            EXPECT_EQ(failing.attempts, 1) << button;
            ASSERT_EQ(errors.size(), 1) << button;
            EXPECT_TRUE(errors[0].contains(QStringLiteral("нема места на диску"))) << errors[0].toStdString();
            EXPECT_EQ(readFile(path()), QByteArray("previous")) << button;
        }
    }
    EXPECT_TRUE(messages.isEmpty()) << "no success message";
}

TEST_F(TerminalSaveTest, SendAllTakesAnEmptyPriceAsZeroLikeTheRegisterWrite)
{
    ArticleRow r = model.row(1);
    r.name = QStringLiteral("Млеко");
    r.price = QString();
    model.setRow(1, r);
    click("BtnExportGPRS");
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Подаци су успешно уписани!...")});
    const QByteArray file = readFile(path());
    const TerminalFiles::Split split = TerminalFiles::splitArticleRecords(file);
    ASSERT_EQ(split.records.size(), 2);
    const auto second = TerminalFiles::decodeArticle(split.records[1]);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->name, QStringLiteral("Млеко"));
    EXPECT_EQ(second->priceHundredths, 0u);
}

TEST(TerminalRecord, EmptyPriceIsZeroButBlanksAreNoNumber)
{
    ArticleRow r;
    r.name = QStringLiteral("a");
    r.price = QString();
    EXPECT_EQ(TerminalFiles::articleRecord(1, r, Regional::comma()).mid(10, 4), QByteArray(4, '\0'));
    r.price = QStringLiteral(" ");
    EXPECT_ANY_THROW(TerminalFiles::articleRecord(1, r, Regional::comma()));
}

} // namespace
