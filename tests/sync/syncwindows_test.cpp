// The mirror's windows in the main window, against the register simulator on
// a pseudo-terminal: the article box's changes-only write and verification,
// the differences window, the row marks, the forget action and the transfers
// dialog over every family.
#include "support/windowrig.h"
#include "catalogue/familycatalogue.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "protocol/commands.h"
#include "params/articles/articlefamily.h"
#include "params/groups/groupfamily.h"
#include "session/registersync.h"
#include "sim/ptyregister.h"
#include "support/notesfamily.h"
#include "support/waituntil.h"
#include "sync/differenceswindow.h"
#include "sync/synccontrols.h"
#include "sync/transfersdialog.h"
#include "widgets/filedialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 90000; // ms
const QString Articles = QStringLiteral("articles");

class SyncWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        window = windowWithScriptedDialog(optionsFor(reg.slavePath(), 200), dialog);
        window->show();
        find<QLineEdit>(window.get(), "EdtId")->setText(QStringLiteral("004512"));
        find<QPushButton>(window.get(), "btnCOM")->click();
        ASSERT_TRUE(window->registerLine().isOpen());
    }
    template <typename T>
    static T *find(QWidget *in, const char *name)
    {
        T *w = in->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton *button(const char *name) { return find<QPushButton>(window.get(), name); }
    bool idleAfter(const std::function<void()> &start)
    {
        start();
        return waitUntil([&] { return !window->driver().isBusy(); }, Patience);
    }
    void readArticles()
    {
        ASSERT_TRUE(idleAfter([&] { button("btnARead")->click(); }));
        ASSERT_EQ(window->session().mirror().knownCount(Articles), ArticleTableModel::RowCount);
    }
    ArticleTableModel &table() { return window->articles().model(); }
    DifferencesWindow *differences() { return window->syncControls().differencesWindow(); }
    QList<int> writtenArticles() const
    {
        QList<int> out;
        for (const auto &h : reg.log())
            if (h.code == Command::WriteArticle)
                out << h.index;
        return out;
    }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;
};

TEST_F(SyncWindows, TheArticleBoxWritesOnlyTheChangedRows)
{
    readArticles();
    table().setCell(5, ArticleTableModel::Name, QStringLiteral("ХЛЕБ"));
    table().setCell(900, ArticleTableModel::Quantity, QStringLiteral("12,5"));
    table().setCell(3999, ArticleTableModel::Name, QStringLiteral("ЗАДЊИ АРТИКАЛ"));
    reg.clearLog();
    ASSERT_EQ(button("btnAWriteChanges")->text(), QStringLiteral("Унос измена"));
    ASSERT_TRUE(idleAfter([&] { button("btnAWriteChanges")->click(); }));
    EXPECT_EQ(writtenArticles(), (QList<int>{5, 900, 3999}));
    EXPECT_EQ(reg.state().articles[900].stock, 12500);
}

TEST_F(SyncWindows, VerifyShowsTheDifferencesAndTakesTheRegistersValues)
{
    readArticles();
    reg.state().articles[42].price += 1;
    ASSERT_EQ(button("btnAVerify")->text(), QStringLiteral("Провера"));
    ASSERT_TRUE(idleAfter([&] { button("btnAVerify")->click(); }));
    ASSERT_TRUE(waitUntil([&] { return differences()->isVisible(); }, Patience));
    EXPECT_EQ(differences()->objectName(), QStringLiteral("frmDifferences"));
    auto *view = find<QTableView>(differences(), "tvDifferences");
    ASSERT_EQ(view->model()->rowCount(), 1);
    const QStringList heads = {"Породица", "Запис", "Поље", "У табели", "У каси"};
    for (int c = 0; c < heads.size(); ++c)
        EXPECT_EQ(view->model()->headerData(c, Qt::Horizontal).toString(), heads[c]);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), QStringLiteral("Артикли"));
    EXPECT_EQ(view->model()->index(0, 1).data().toString(), QStringLiteral("43"));
    EXPECT_EQ(view->model()->index(0, 2).data().toString(), QStringLiteral("Цена"));
    const QString held = view->model()->index(0, 4).data().toString();
    EXPECT_NE(table().cell(42, ArticleTableModel::Price), held) << "the table is left alone";

    // The row header of the differing article is marked with the register's value.
    ASSERT_TRUE(waitUntil([&] { return table().rowMarks().contains(42); }, Patience));
    EXPECT_EQ(table().rowMarks().size(), 1);
    EXPECT_TRUE(table().headerData(42, Qt::Vertical, Qt::ToolTipRole).toString().contains(held));
    EXPECT_TRUE(table().headerData(42, Qt::Vertical, Qt::BackgroundRole).isValid());
    EXPECT_FALSE(table().headerData(41, Qt::Vertical, Qt::BackgroundRole).isValid());

    view->selectRow(0);
    find<QPushButton>(differences(), "btnDiffTakeRegister")->click();
    EXPECT_EQ(table().cell(42, ArticleTableModel::Price), held);
    EXPECT_EQ(find<QLabel>(differences(), "lblDifferences")->text(), QStringLiteral("Каса и табела се слажу."));
    ASSERT_TRUE(waitUntil([&] { return table().rowMarks().isEmpty(); }, Patience));
}

TEST_F(SyncWindows, VerifyWithoutDifferencesSaysSoAndTheWindowWritesTheTable)
{
    readArticles();
    ASSERT_TRUE(idleAfter([&] { button("btnAVerify")->click(); }));
    ASSERT_TRUE(waitUntil([&] { return differences()->isVisible(); }, Patience));
    EXPECT_EQ(find<QLabel>(differences(), "lblDifferences")->text(), QStringLiteral("Каса и табела се слажу."));

    reg.state().articles[7].price += 1;
    ASSERT_TRUE(idleAfter([&] { button("btnAVerify")->click(); }));
    ASSERT_TRUE(waitUntil([&] { return differences()->differences().size() == 1; }, Patience));
    reg.clearLog();
    ASSERT_TRUE(idleAfter([&] { find<QPushButton>(differences(), "btnDiffWriteTable")->click(); }));
    ASSERT_TRUE(waitUntil([&] { return !window->driver().isBusy() && !writtenArticles().isEmpty(); }, Patience));
    EXPECT_EQ(writtenArticles(), QList<int>{7}) << "the table's value goes back to the register";
}

TEST_F(SyncWindows, GridRowsOfADifferingGroupAreMarkedUntilTheTableMatches)
{
    ASSERT_TRUE(idleAfter([&] { button("BtnGRead")->click(); }));
    GroupTable &groups = window->groups().table();
    reg.state().groups[2].share = quint16(reg.state().groups[2].share == 500 ? 700 : 500);
    ASSERT_TRUE(idleAfter([&] { EXPECT_TRUE(window->session().sync().verify(QStringLiteral("groups"))); }));
    // Group 3 is grid row 3 (row 0 holds the headings).
    ASSERT_TRUE(waitUntil([&] { return groups.rowMarks().contains(3); }, Patience));
    EXPECT_EQ(groups.rowMarks().size(), 1);
    EXPECT_TRUE(groups.headerData(3, Qt::Vertical, Qt::ToolTipRole).toString().contains(QStringLiteral("Удео")));
    EXPECT_TRUE(groups.index(3, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(groups.index(2, 0).data(Qt::BackgroundRole).isValid());
    // Typing the register's value back clears the mark.
    const QList<RecordDifference> diffs = window->session().sync().differences(QStringLiteral("groups"));
    ASSERT_EQ(diffs.size(), 1);
    groups.setRecordCell(2, GroupTable::Share, diffs[0].held);
    ASSERT_TRUE(waitUntil([&] { return groups.rowMarks().isEmpty(); }, Patience));
}

TEST_F(SyncWindows, ForgetEmptiesTheMirror)
{
    readArticles();
    QAction *forget = window->findChild<QAction *>(QStringLiteral("actForgetRegister"));
    ASSERT_NE(forget, nullptr);
    EXPECT_EQ(forget->text(), QStringLiteral("Заборави стање касе"));
    forget->trigger();
    EXPECT_EQ(window->session().mirror().knownCount(Articles), 0);
    reg.clearLog();
    ASSERT_TRUE(idleAfter([&] { button("btnAWriteChanges")->click(); }));
    EXPECT_EQ(writtenArticles().size(), ArticleTableModel::RowCount) << "nothing is known: everything goes";
}

TEST_F(SyncWindows, EveryFamilyThroughTheTransfersDialog)
{
    button("btnTransfers")->click();
    TransfersDialog *transfers = window->syncControls().transfersDialog();
    ASSERT_TRUE(transfers->isVisible());
    EXPECT_EQ(transfers->windowTitle(), QStringLiteral("Пренос више породица"));
    for (const char *name : {"chkFamHeader", "chkFamTax", "chkFamDepartments", "chkFamArticles", "chkFamGroups",
                             "chkFamOperators", "chkFamLogo", "chkFamPasswords"})
        EXPECT_TRUE(find<QCheckBox>(transfers, name)->isChecked()) << name;
    EXPECT_TRUE(transfers->profileSaveButton()->isEnabled());
    EXPECT_EQ(transfers->profileLoadButton()->objectName(), QStringLiteral("btnProfileLoad"));
    QStringList shown;
    auto *bar = find<QProgressBar>(transfers, "pbAll");
    QObject::connect(&transfers->run(), &FamilyRun::progress, [&] { shown << bar->format(); });

    const auto runAll = [&](const char *name) {
        QSignalSpy done(&transfers->run(), &FamilyRun::finished);
        find<QPushButton>(transfers, name)->click();
        EXPECT_TRUE(waitUntil([&] { return done.size() == 1; }, Patience)) << name;
        return transfers->results();
    };
    const auto expectAllCompleted = [](const QList<StepResult> &results, const char *what) {
        ASSERT_EQ(results.size(), 8) << what;
        for (const StepResult &r : results) {
            EXPECT_EQ(r.outcome, TransferOutcome::Completed) << what << " " << FamilyCatalogue::key(r.family).toStdString();
            EXPECT_EQ(r.failed, 0) << what << " " << FamilyCatalogue::key(r.family).toStdString();
        }
    };
    expectAllCompleted(runAll("btnAllRead"), "read");
    // A table the register has just given back is what it holds: a change
    // made now, in the register, is the only difference found.
    const QList<StepResult> written = runAll("btnAllWrite");
    expectAllCompleted(written, "write");
    EXPECT_EQ(written[3].written, ArticleTableModel::RowCount);
    // The tax rates' read-back writes nothing; the bar ends at the full count.
    EXPECT_EQ(written[1].written, 9);
    EXPECT_TRUE(transfers->summary()->text().contains(QStringLiteral("Пореске стопе: уписано 9,")));
    EXPECT_EQ(bar->format(), QStringLiteral("Лозинке 1/1"));
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(shown.contains(QStringLiteral("Лого %1/%1").arg(reg.state().logoHeight)));
    const QList<StepResult> verified = runAll("btnAllVerify");
    expectAllCompleted(verified, "verify");
    for (const StepResult &r : verified) {
        EXPECT_EQ(r.differences.size(), 0) << FamilyCatalogue::key(r.family).toStdString();
        if (!FamilyCatalogue::find(r.family)->compared()) {
            EXPECT_GT(r.skipped, 0) << FamilyCatalogue::key(r.family).toStdString() << " is not compared";
        } else {
            EXPECT_GT(r.read, 0) << FamilyCatalogue::key(r.family).toStdString() << ": a verification reads the register";
        }
    }
    EXPECT_EQ(verified[3].read, ArticleTableModel::RowCount);
    EXPECT_TRUE(shown.contains(QStringLiteral("Артикли 1604/4000")));
    const QList<StepResult> changes = runAll("btnAllWriteChanges");
    expectAllCompleted(changes, "changes");
    for (const StepResult &r : changes) {
        if (FamilyCatalogue::find(r.family)->compared()) {
            EXPECT_EQ(r.written, 0) << FamilyCatalogue::key(r.family).toStdString() << ": nothing changed";
        }
    }
    EXPECT_FALSE(transfers->summary()->text().isEmpty());
}

// "Write all" asks once, naming the families that hold only their start-up
// values; "Не" leaves those out and writes the rest.
struct DefaultsCase {
    bool headerLinesRead;
    const char *question;
    int headerLinesWritten;
};

class WriteAllOverDefaults : public SyncWindows, public ::testing::WithParamInterface<DefaultsCase> {};

TEST_P(WriteAllOverDefaults, AsksOnceNamingThem)
{
    const DefaultsCase &c = GetParam();
    if (c.headerLinesRead) {
        ASSERT_TRUE(idleAfter([&] { button("btnReadCliche")->click(); }));
    }
    button("btnTransfers")->click();
    TransfersDialog *transfers = window->syncControls().transfersDialog();
    for (const char *name : {"chkFamDepartments", "chkFamArticles", "chkFamGroups", "chkFamOperators", "chkFamLogo",
                             "chkFamPasswords"})
        find<QCheckBox>(transfers, name)->setChecked(false);
    reg.clearLog();
    dialog->scriptAnswers({false});
    QSignalSpy done(&transfers->run(), &FamilyRun::finished);
    find<QPushButton>(transfers, "btnAllWrite")->click();
    ASSERT_TRUE(waitUntil([&] { return done.size() == 1 && !window->driver().isBusy(); }, Patience));
    ASSERT_EQ(dialog->questions().size(), 1);
    EXPECT_EQ(dialog->questions()[0].second, QString::fromUtf8(c.question));
    int headerLines = 0;
    for (const auto &h : reg.log()) {
        EXPECT_EQ(h.code, Command::WriteHeaderLine) << "only the header lines go";
        ++headerLines;
    }
    EXPECT_EQ(headerLines, c.headerLinesWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Families, WriteAllOverDefaults,
    ::testing::Values(DefaultsCase{false,
                                   "Табеле садрже само почетне вредности: Заглавље, Пореске стопе. Преписати њима "
                                   "податке у каси?",
                                   0},
                      DefaultsCase{true,
                                   "Табела садржи само почетне вредности: Пореске стопе. Преписати њима податке у "
                                   "каси?",
                                   8}));

TEST_F(SyncWindows, ProfileSavedAndLoadedThroughTheTransfersDialog)
{
    readArticles();
    button("btnTransfers")->click();
    TransfersDialog *transfers = window->syncControls().transfersDialog();
    find<QCheckBox>(transfers, "chkFamPasswords")->setChecked(false);
    QTemporaryDir dir;
    FileDialogs::answerNext(dir.path());
    transfers->profileSaveButton()->click();
    EXPECT_EQ(FileDialogs::lastDefaultName(), QStringLiteral("Сачувај профил"));
    for (const char *file : {"profile.json", "articles.csv", "departments.csv", "header-lines.csv", "logo.png"})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QString::fromLatin1(file)))) << file;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("passwords.csv")))) << "secrets only when asked";

    const QModelIndex name = table().index(4, ArticleTableModel::Name);
    const QString kept = name.data().toString();
    ASSERT_FALSE(kept.isEmpty());
    table().setData(name, QStringLiteral("ИЗМЕЊЕНО"));
    FileDialogs::answerNext(dir.path());
    transfers->profileLoadButton()->click();
    EXPECT_EQ(name.data().toString(), kept)
        << (dialog->history().isEmpty() ? std::string() : dialog->history().last().second.toStdString());

    // A damaged profile is refused with the file named, and the table stays.
    QFile broken(dir.filePath(QStringLiteral("articles.csv")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("1;x\r\n");
    broken.close();
    table().setData(name, QStringLiteral("ИЗМЕЊЕНО"));
    FileDialogs::answerNext(dir.path());
    transfers->profileLoadButton()->click();
    EXPECT_EQ(name.data().toString(), QStringLiteral("ИЗМЕЊЕНО"));
    ASSERT_FALSE(dialog->history().isEmpty());
    EXPECT_TRUE(dialog->history().last().second.contains(QStringLiteral("articles.csv")));
}

} // namespace

// A family added to the catalogue (known only to this test) is in the
// transfers dialog and runs through it, and its differences are listed with
// its title and its field, without a line of the dialog or the run naming it.
class NinthFamilyWindows : public SyncWindows {
protected:
    NotesFamily::Registration notes; // made before SetUp builds the window
};

TEST_F(NinthFamilyWindows, RunsThroughTheTransfersDialogAndTheDifferencesList)
{
    button("btnTransfers")->click();
    TransfersDialog *transfers = window->syncControls().transfersDialog();
    QCheckBox *check = find<QCheckBox>(transfers, "chkFamNotes");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), QStringLiteral("Белешке"));
    for (QCheckBox *c : transfers->findChildren<QCheckBox *>())
        c->setChecked(c == check);
    const auto runAll = [&](const char *name) {
        QSignalSpy done(&transfers->run(), &FamilyRun::finished);
        find<QPushButton>(transfers, name)->click();
        EXPECT_TRUE(waitUntil([&] { return done.size() == 1; }, Patience)) << name;
        return transfers->results();
    };
    const QList<StepResult> read = runAll("btnAllRead");
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read[0].family, NotesFamily::Id);
    EXPECT_EQ(read[0].outcome, TransferOutcome::Completed);
    EXPECT_EQ(read[0].read, NotesTable::Count);
    auto *notesFamily = static_cast<NotesFamily *>(window->session().family(NotesFamily::Id));
    EXPECT_EQ(notesFamily->table.notes[1], Fields::decodeText(reg.state().headerLines[1]).trimmed());

    reg.state().headerLines[1] = RegisterState::headerLineField(QStringLiteral("ДРУГА"));
    const QList<StepResult> verified = runAll("btnAllVerify");
    ASSERT_EQ(verified.size(), 1);
    ASSERT_EQ(verified[0].differences.size(), 1);
    EXPECT_EQ(verified[0].differences[0].field, QStringLiteral("Белешка"));
    EXPECT_EQ(verified[0].differences[0].held, QStringLiteral("ДРУГА"));
    differences()->showDifferences(verified[0].differences);
    EXPECT_EQ(differences()->table()->model()->index(0, 0).data().toString(), QStringLiteral("Белешке"));

    reg.clearLog();
    const QList<StepResult> changes = runAll("btnAllWriteChanges");
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].written, 1) << "only the note that differs goes";
    EXPECT_EQ(changes[0].skipped, NotesTable::Count - 1);
    EXPECT_NE(reg.state().headerLines[1], RegisterState::headerLineField(QStringLiteral("ДРУГА")));
}
