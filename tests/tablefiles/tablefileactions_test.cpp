#include "charset/cp1251.h"
#include "params/articles/articlefamily.h"
#include "widgets/filedialogs.h"
#include "params/departments/departmentfamily.h"
#include "tablefiles/tablefileactions.h"
#include "tablefiles/tablefilebuttons.h"
#include "tablefiles/tablefile.h"
#include "support/failingsaves.h"
#include "support/fakelink.h"
#include "support/filebytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

class FilesTest : public ::testing::TestWithParam<Regional> {
protected:
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext context{driver, GetParam()};
    ArticleFamily articles{context};
    DepartmentFamily departments{context};
    QString serial = QStringLiteral("123456");
    TableFileActions actions{articles, departments, GetParam()};
    TableFileButtons buttons{actions, articles, [this] { return serial; }, nullptr};
    QTemporaryDir dir;
    QList<QPair<QString, QString>> messages;
    QStringList errors;
    QStringList statuses;
    int fills = 0;

    void SetUp() override
    {
        QObject::connect(&actions, &ParameterFamily::message,
                         [this](const QString &t, const QString &x) { messages.append({t, x}); });
        QObject::connect(&actions, &ParameterFamily::programError, [this](const QString &e) { errors << e; });
        QObject::connect(&actions, &ParameterFamily::status, [this](const QString &s) { statuses << s; });
        QObject::connect(&articles, &ArticleFamily::editsFilled, [this] { ++fills; });
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString sep() const { return QString(GetParam().list); }
};

} // namespace

TEST_P(FilesTest, SavingTheFreshArticleTable)
{
    FileDialogs::answerNext(path("a.csv"));
    buttons.btnAFSaveClick();
    EXPECT_EQ(FileDialogs::lastDefaultName(), QStringLiteral("ART_123456.CSV"));
    const QByteArray bytes = readFile(path("a.csv"));
    const QByteArray s = sep().toLatin1();
    EXPECT_TRUE(bytes.startsWith("1" + s + "\"\"" + s + "\"00000000000000\"" + s + "1" + s + "0" + s + "\"\xC0\"" + s
                                 + "0" + s + "0" + s + "0" + s + "0" + s + "\r\n2" + s));
    EXPECT_EQ(bytes.count("\r\n"), 4000);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], qMakePair(QStringLiteral("Информација !!!"), QStringLiteral("Подаци су успешно уписани!...")));
    // The status line names the file written.
    EXPECT_EQ(statuses, QStringList{QStringLiteral("Снимљено у фаjл ") + QDir::toNativeSeparators(path("a.csv"))});
}

TEST_P(FilesTest, LoadingChangesOnlyTheRowsInTheFileAndKeepsSoldAndTurnover)
{
    auto &model = articles.model();
    for (int r = 0; r < 20; ++r) {
        model.setCell(r, 8, QStringLiteral("7"));
        model.setCell(r, 9, QStringLiteral("99"));
        model.setCell(r, 1, QStringLiteral("old"));
    }
    QString text;
    for (int r = 1; r <= 10; ++r) {
        const QStringList fields = {QString::number(r), "\"Нови " + QString::number(r) + "\"",
                                    "\"860" + QString::number(r) + "\"", QString::number(r % 8 + 1), "4",
                                    "\"5\"", "1", "2", "5", "6", ""};
        text += fields.join(sep()) + "\r\n";
    }
    const QByteArray file = Cp1251::fromUnicode(text);
    writeFile(path("load.csv"), file);
    FileDialogs::answerNext(path("load.csv"));
    buttons.btnAFLoadClick();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(model.cell(0, 1), QStringLiteral("Нови 1"));
    EXPECT_EQ(model.cell(9, 2), QStringLiteral("86010"));
    EXPECT_EQ(model.cell(4, 5), QStringLiteral("Ж")) << "the digit 5 is the label at index 5";
    EXPECT_EQ(model.cell(0, 8), QStringLiteral("7")) << "the quantity sold is not loaded";
    EXPECT_EQ(model.cell(0, 9), QStringLiteral("99")) << "the turnover is not loaded";
    EXPECT_EQ(model.cell(10, 1), QStringLiteral("old")) << "rows after the file keep their text";
    EXPECT_GE(fills, 1) << "row 1 is shown in the edit controls";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_P(FilesTest, RoundTripOfTheDepartmentTable)
{
    auto &model = departments.model();
    model.setCell(2, 1, QStringLiteral("Пиће; \"хладно\""));
    model.setCell(2, 4, QStringLiteral("Ђ"));
    model.setCell(2, 5, QStringLiteral("150"));
    FileDialogs::answerNext(path("d.csv"));
    buttons.BtnOFileSaveClick();
    EXPECT_EQ(FileDialogs::lastDefaultName(), QStringLiteral("OD_123456.CSV"));
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_EQ(statuses.last(), QStringLiteral("Снимљено у фаjл ") + QDir::toNativeSeparators(path("d.csv")));
    model.setCell(2, 1, QStringLiteral("changed"));
    model.setCell(2, 5, QStringLiteral("0"));
    FileDialogs::answerNext(path("d.csv"));
    buttons.BtnOFileReadClick();
    EXPECT_EQ(model.cell(2, 1), QStringLiteral("Пиће; \"хладно\""));
    EXPECT_EQ(model.cell(2, 4), QStringLiteral("Ђ"));
    EXPECT_EQ(model.cell(2, 5), QStringLiteral("0")) << "the turnover is not loaded";
}

TEST_P(FilesTest, CancelledDialogsTouchNothing)
{
    articles.model().setCell(0, 1, QStringLiteral("keep"));
    FileDialogs::answerNext(QString());
    buttons.btnAFLoadClick();
    FileDialogs::answerNext(QString());
    buttons.btnAFSaveClick();
    FileDialogs::answerNext(QString());
    buttons.BtnOFileReadClick();
    EXPECT_EQ(articles.model().cell(0, 1), QStringLiteral("keep"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_P(FilesTest, FailuresAreReportedAndNeverAsSuccess)
{
    writeFile(path("old.csv"), "previous contents");
    EXPECT_FALSE(actions.saveArticles(path("no/such/folder/a.csv")));
    EXPECT_FALSE(actions.saveDepartments(dir.path()));
    EXPECT_FALSE(actions.loadArticles(path("missing.csv")));
    EXPECT_EQ(errors.size(), 3);
    EXPECT_TRUE(messages.isEmpty()) << "no success message";
    EXPECT_EQ(readFile(path("old.csv")), QByteArray("previous contents"));
}

TEST_P(FilesTest, ASaveThatFailsAtAnyStepKeepsTheOldFileAndReportsTheReason)
{
    using FileStore::SaveStep;
    for (SaveStep step : {SaveStep::Open, SaveStep::Write, SaveStep::Flush, SaveStep::Commit}) {
        for (const char *name : {"a.csv", "d.csv"}) {
            writeFile(path(name), "previous contents");
            errors.clear();
            FailingSaves failing(step, ENOSPC);
            const bool saved = QByteArray(name) == "a.csv" ? actions.saveArticles(path(name))
                                                           : actions.saveDepartments(path(name));
            EXPECT_FALSE(saved);
            EXPECT_EQ(failing.attempts, 1);
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].contains(path(name))) << errors[0].toStdString();
            EXPECT_TRUE(errors[0].contains(QStringLiteral("нема места на диску"))) << errors[0].toStdString();
            EXPECT_EQ(readFile(path(name)), QByteArray("previous contents"));
        }
    }
    EXPECT_TRUE(messages.isEmpty()) << "no success message";
}

TEST_P(FilesTest, BinaryFileIsRefusedAndBothTablesStay)
{
    articles.model().setCell(0, 1, QStringLiteral("keep"));
    departments.model().setCell(0, 1, QStringLiteral("keep"));
    QByteArray junk;
    for (int i = 0; i < 20000; ++i)
        junk.append(char((i * 131 + 7) % 256));
    writeFile(path("junk.csv"), junk);
    EXPECT_FALSE(actions.loadArticles(path("junk.csv")));
    EXPECT_FALSE(actions.loadDepartments(path("junk.csv")));
    EXPECT_EQ(articles.model().cell(0, 1), QStringLiteral("keep"));
    EXPECT_EQ(departments.model().cell(0, 1), QStringLiteral("keep"));
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Датотека ") + path("junk.csv") + " није текстуална датотека: ред "))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral("садржи нулти бајт. Табела није промењена.")));
}

TEST_P(FilesTest, FileOfTheOtherKindIsRefusedWithItsFirstLine)
{
    const QString line = QStringList{"1", "\"Пиће\"", "0", "0", "\"Ђ\"", "0"}.join(sep());
    writeFile(path("od.csv"), Cp1251::fromUnicode(line + "\r\n"));
    articles.model().setCell(0, 1, QStringLiteral("keep"));
    EXPECT_FALSE(actions.loadArticles(path("od.csv")));
    EXPECT_EQ(articles.model().cell(0, 1), QStringLiteral("keep"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Датотека %1 није датотека артикала: ниједан ред нема поља артикла "
                                        "(први погрешан ред је 1: „%2“). Табела није промењена.")
                             .arg(path("od.csv"), line));
    EXPECT_TRUE(actions.loadDepartments(path("od.csv"))) << "it is a department file";
    EXPECT_EQ(departments.model().cell(0, 1), QStringLiteral("Пиће"));
}

TEST_P(FilesTest, AHugeNameIsCutAndTheOtherFieldsLoad)
{
    const QByteArray s = sep().toLatin1();
    const QByteArray name(8 * 1024 * 1024, 'N');
    writeFile(path("huge.csv"), "1" + s + "\"" + name + "\"" + s + "\"860\"" + s + "2" + s + "4" + s + "\"3\"" + s + "1" + s
                                    + "2" + s + "0" + s + "0" + s + "\r\n");
    EXPECT_TRUE(actions.loadArticles(path("huge.csv")));
    EXPECT_EQ(articles.model().cell(0, 1), QString(TableFile::CellLimit, QLatin1Char('N')));
    EXPECT_EQ(articles.model().cell(0, 2), QStringLiteral("860"));
    EXPECT_EQ(articles.model().cell(0, 5), QStringLiteral("Ђ")) << "the tax digit 3";
    EXPECT_TRUE(errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Regional, FilesTest, ::testing::Values(Regional::comma(), Regional::point()),
                         [](const auto &info) { return info.param.decimal == u',' ? "comma" : "point"; });
