// The questions before a write of start-up defaults and before closing over
// unsaved edits: the main window against the register simulator on a
// pseudo-terminal, questions answered through the message dialog.
#include "support/windowrig.h"
#include "app/datalossguard.h"
#include "app/errorreport.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "params/articles/articlefamily.h"
#include "tablefiles/tablefileactions.h"
#include "widgets/filedialogs.h"
#include "params/groups/groupfamily.h"
#include "session/tablestates.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 15000; // ms
using Log = QList<RegisterResponder::Handled>;
using Asked = QList<QPair<QString, QString>>;

Log series(quint8 code, int count)
{
    Log log;
    for (int i = 0; i < count; ++i)
        log.append({code, i});
    return log;
}

class Guard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        window = windowWithScriptedDialog(optionsFor(reg.slavePath()), dialog);
        window->errorReport().setRecording(true);
        window->show();
        window->findChild<QLineEdit *>(QStringLiteral("EdtId"))->setText(QStringLiteral("004512"));
        button("btnCOM")->click();
        ASSERT_TRUE(window->registerLine().isOpen());
        QObject::connect(&window->session(), &RegisterSession::transferFinished,
                         [this](const QString &family, bool write, TransferOutcome outcome) {
                             finished << QStringLiteral("%1 %2 %3").arg(family, write ? "write" : "read",
                                                                        TransferOutcomes::key(outcome));
                         });
    }
    QPushButton *button(const char *name) const
    {
        auto *b = window->findChild<QPushButton *>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    bool runs(const char *buttonName, const QString &end)
    {
        button(buttonName)->click();
        return waitUntil([&] { return finished.contains(end) && !window->driver().isBusy(); }, Patience);
    }
    // The register answers requests up to record `index` and then falls
    // silent, so that a long write is surely still running when stopped.
    void silenceAfter(int index)
    {
        QObject::connect(&reg, &PtyRegister::requestHandled, &reg, [this, index](int, int record) {
            if (record == index)
                reg.setFaults(PtyRegister::Faults{true});
        });
    }
    // Stops whatever runs and waits until the link is quiet.
    bool stop()
    {
        window->btnOtkazClick();
        return waitUntil([&] { return !window->driver().isBusy(); }, Patience);
    }
    static Asked defaultsQuestion(int times)
    {
        Asked asked;
        for (int i = 0; i < times; ++i)
            asked.append({DataLossGuard::Title, DataLossGuard::DefaultsText});
        return asked;
    }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;
    QStringList finished;
};

TEST_F(Guard, ArticleWriteAfterOpeningAsksAndNoSendsNothing)
{
    dialog->scriptAnswers({false});
    button("btnAWrite")->click();
    EXPECT_EQ(dialog->questions(), defaultsQuestion(1));
    EXPECT_FALSE(window->driver().isBusy());
    // Anything sent would reach the register before the reads that follow.
    ASSERT_TRUE(runs("btnReadCliche", "header read Completed"));
    EXPECT_EQ(reg.log(), series(101, 8));
    EXPECT_EQ(reg.state().articles[0].name, RegisterState::demo().articles[0].name);
}

TEST_F(Guard, ArticleWriteAnsweredYesWrites)
{
    silenceAfter(1);
    dialog->scriptAnswers({true});
    button("btnAWrite")->click();
    EXPECT_EQ(dialog->questions(), defaultsQuestion(1));
    ASSERT_TRUE(waitUntil([&] { return reg.log().size() >= 2; }, Patience));
    EXPECT_EQ(reg.log().mid(0, 2), series(116, 2));
    ASSERT_TRUE(stop());
}

TEST_F(Guard, NoQuestionAfterARead)
{
    ASSERT_TRUE(runs("btnSTRead", "departments read Completed"));
    reg.clearLog();
    ASSERT_TRUE(runs("btnSTWrite", "departments write Completed"));
    EXPECT_TRUE(dialog->questions().isEmpty());
    EXPECT_EQ(reg.log(), series(112, 8));
}

TEST_F(Guard, NoQuestionAfterATypedEdit)
{
    window->articles().model().setCell(0, ArticleTableModel::Name, QStringLiteral("Хлеб"));
    silenceAfter(0);
    button("btnAWrite")->click();
    EXPECT_TRUE(dialog->questions().isEmpty());
    ASSERT_TRUE(waitUntil([&] { return !reg.log().isEmpty(); }, Patience));
    EXPECT_EQ(reg.log().first(), RegisterResponder::Handled({116, 0}));
    ASSERT_TRUE(stop());
}

struct WriteButton {
    const char *button;
    const char *family;
};

void PrintTo(const WriteButton &w, std::ostream *out) { *out << w.button; }

class EveryWrite : public Guard, public ::testing::WithParamInterface<WriteButton> {};

TEST_P(EveryWrite, AsksOverDefaultsAndNoLeavesTheRegisterAlone)
{
    const WriteButton &w = GetParam();
    EXPECT_TRUE(window->dataLossGuard().guardedFamilies().contains(QString::fromLatin1(w.family)));
    QPushButton *write = button(w.button);
    window->exchangeButtons().allow(write);
    ASSERT_TRUE(write->isEnabled());
    QSignalSpy statuses(&window->session(), &RegisterSession::status);

    dialog->scriptAnswers({false});
    write->click();
    EXPECT_EQ(dialog->questions(), defaultsQuestion(1));
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_TRUE(dialog->history().isEmpty());
    EXPECT_FALSE(window->driver().isBusy());
    ASSERT_TRUE(runs("btnReadCliche", "header read Completed"));
    EXPECT_EQ(reg.log(), series(101, 8));

    // The read above touched the header lines; the other tables still hold
    // their defaults.
    const bool stillDefaults = QLatin1String(w.family) != QLatin1String("header");
    statuses.clear();
    dialog->scriptAnswers({true});
    write->click();
    EXPECT_EQ(dialog->questions(), defaultsQuestion(stillDefaults ? 2 : 1));
    EXPECT_FALSE(statuses.isEmpty()); // the write ran
    ASSERT_TRUE(stop());
}

INSTANTIATE_TEST_SUITE_P(Families, EveryWrite,
                         ::testing::Values(WriteButton{"btnWriteCliche", "header"},
                                           WriteButton{"btnTGWrite", "taxes"},
                                           WriteButton{"btnSTWrite", "departments"},
                                           WriteButton{"btnAWrite", "articles"},
                                           WriteButton{"BtnGWrite", "groups"},
                                           WriteButton{"BtnOWrite", "operators"},
                                           WriteButton{"btnLogoWrite", "logo"},
                                           WriteButton{"BtnLozinkaWrite", "passwords"}),
                         [](const ::testing::TestParamInfo<WriteButton> &info) {
                             return std::string(info.param.family);
                         });

TEST_F(Guard, StartUpThenCloseAsksNothing)
{
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialog->questions().isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->registerLine().isOpen());
}

TEST_F(Guard, TypedEditsThenCloseAsksAndNoStays)
{
    QLineEdit *line = window->findChild<QLineEdit *>(QStringLiteral("edtRed4"));
    line->setFocus();
    for (QChar c : QStringLiteral("Акција")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &press);
    }
    window->groups().table().setCell(1, 3, QStringLiteral("Месо"));

    dialog->scriptAnswers({false});
    button("btnClose")->click();
    ASSERT_EQ(dialog->questions().size(), 1);
    EXPECT_EQ(dialog->questions()[0].first, DataLossGuard::Title);
    EXPECT_EQ(dialog->questions()[0].second,
              DataLossGuard::closeText({QStringLiteral("header"), QStringLiteral("groups")}));
    EXPECT_TRUE(dialog->questions()[0].second.contains(QStringLiteral("Заглавље, Групе")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->registerLine().isOpen());

    dialog->scriptAnswers({true});
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialog->questions().size(), 2);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Guard, NoQuestionOnCloseAfterSavingTheFile)
{
    window->articles().model().setCell(7, ArticleTableModel::Price, QStringLiteral("99,90"));
    QTemporaryDir dir;
    ASSERT_TRUE(window->fileActions().saveArticles(dir.filePath(QStringLiteral("articles.txt"))));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialog->questions().isEmpty());
}

// The window's file buttons ask for the file, save through the session's
// table-file actions and report through the window.
TEST_F(Guard, TheFileButtonsSaveAndLoadThroughTheSession)
{
    window->articles().model().setCell(7, ArticleTableModel::Price, QStringLiteral("99,90"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ART.CSV"));
    FileDialogs::answerNext(path);
    button("btnAFSave")->click();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(dialog->history().value(0).second, QStringLiteral("Подаци су успешно уписани!..."));

    window->articles().model().setCell(7, ArticleTableModel::Price, QStringLiteral("1"));
    FileDialogs::answerNext(path);
    button("btnAFLoad")->click();
    EXPECT_EQ(window->articles().model().cell(7, ArticleTableModel::Price), QStringLiteral("99,90"));
    EXPECT_TRUE(window->close()) << "the loaded table is the saved file";
    EXPECT_TRUE(dialog->questions().isEmpty());
}

TEST_F(Guard, ALoadedFileIsNotStartUpDataEvenWithTheSameValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("departments.txt"));
    ASSERT_TRUE(window->fileActions().saveDepartments(path));
    ASSERT_TRUE(window->fileActions().loadDepartments(path));
    QPushButton *write = button("btnSTWrite");
    window->exchangeButtons().allow(write);
    write->click();
    EXPECT_TRUE(dialog->questions().isEmpty());
    ASSERT_TRUE(waitUntil([&] { return finished.contains(QStringLiteral("departments write Completed")); },
                          Patience));
    EXPECT_EQ(reg.log(), series(112, 8));
}

TEST_F(Guard, NoQuestionOnCloseAfterACompletedWrite)
{
    ASSERT_TRUE(runs("BtnGRead", "groups read Completed"));
    window->groups().table().setCell(1, 5, QStringLiteral("Кафа"));
    ASSERT_TRUE(runs("BtnGWrite", "groups write Completed"));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialog->questions().isEmpty());
}

TEST_F(Guard, AnUnfinishedWriteStillAsksOnClose)
{
    window->articles().model().setCell(0, ArticleTableModel::Name, QStringLiteral("Хлеб"));
    silenceAfter(0);
    button("btnAWrite")->click();
    ASSERT_TRUE(waitUntil([&] { return !reg.log().isEmpty(); }, Patience));
    ASSERT_TRUE(stop());
    EXPECT_TRUE(finished.contains(QStringLiteral("articles write Cancelled")));
    dialog->scriptAnswers({false});
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialog->questions().value(0).second, DataLossGuard::closeText({QStringLiteral("articles")}));
}

// The question itself, as the user sees it: two buttons, "Не" the default.
class Question : public ::testing::Test {
protected:
    // Answers the question from within its modal loop, once it is shown.
    bool askAndThen(const std::function<void(MessageDialog &)> &answer)
    {
        MessageDialog box;
        QTimer::singleShot(0, &box, [&] {
            waitUntil([&] { return box.isVisible(); }, Patience);
            yes = box.findChild<QPushButton *>(QStringLiteral("Button1"))->text();
            no = box.findChild<QPushButton *>(QStringLiteral("Button2"))->text();
            noIsDefault = box.findChild<QPushButton *>(QStringLiteral("Button2"))->isDefault();
            title = box.title();
            answer(box);
        });
        return box.ask(DataLossGuard::Title, DataLossGuard::DefaultsText);
    }
    QString yes, no, title;
    bool noIsDefault = false;
};

TEST_F(Question, EnterTakesNo)
{
    EXPECT_FALSE(askAndThen([](MessageDialog &box) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &box, Qt::Key_Return);
    }));
    EXPECT_EQ(yes, QStringLiteral("Да"));
    EXPECT_EQ(no, QStringLiteral("Не"));
    EXPECT_EQ(title, DataLossGuard::Title);
    EXPECT_TRUE(noIsDefault);
}

TEST_F(Question, YesIsTheFirstButton)
{
    EXPECT_TRUE(askAndThen([](MessageDialog &box) { box.findChild<QPushButton *>("Button1")->click(); }));
}

TEST_F(Question, TheCloseBoxTakesNoAndAMessageAfterwardsHasOneButton)
{
    EXPECT_FALSE(askAndThen([](MessageDialog &box) { box.close(); }));
    MessageDialog box;
    QString caption;
    bool secondShown = true;
    QTimer::singleShot(0, &box, [&] {
        waitUntil([&] { return box.isVisible(); }, Patience);
        caption = box.findChild<QPushButton *>(QStringLiteral("Button1"))->text();
        secondShown = box.findChild<QPushButton *>(QStringLiteral("Button2"))->isVisible();
        box.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    });
    box.ask(QStringLiteral("a"), QStringLiteral("b")); // nothing scripted: shown
    QTimer::singleShot(0, &box, [&] {
        waitUntil([&] { return box.isVisible(); }, Patience);
        caption = box.findChild<QPushButton *>(QStringLiteral("Button1"))->text();
        secondShown = box.findChild<QPushButton *>(QStringLiteral("Button2"))->isVisible();
        box.accept();
    });
    box.showMessage(QStringLiteral("Информација !!!"), QStringLiteral("Готово"));
    EXPECT_EQ(caption, QStringLiteral("У РЕДУ"));
    EXPECT_FALSE(secondShown);
}

} // namespace
