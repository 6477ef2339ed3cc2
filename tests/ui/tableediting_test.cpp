// The spreadsheet actions of the tables in the main window: copy, paste,
// fill down, clear, typing, and undo and redo of each of them and of a file
// load and a register read, with the table states and row marks after them.
#include "support/windowrig.h"
#include "app/datalossguard.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/undoactions.h"
#include "edit/clipboardtext.h"
#include "edit/edithistory.h"
#include "edit/stepnames.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/common/tableediting.h"
#include "params/groups/groupfamily.h"
#include "session/tablestates.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"
#include "tablefiles/tablefileactions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 15000; // ms

// A table of the main window and a corner of its typable cells to work in.
struct Table {
    const char *name;
    const char *view;
    const char *family;
    int top;
    int left;
    int columns; // typable columns from `left` on used by the tests
};

void PrintTo(const Table &t, std::ostream *out) { *out << t.name; }

class Editing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        window = windowWithScriptedDialog(optionsFor(reg.slavePath()), dialog);
        window->show();
        window->findChild<QLineEdit *>(QStringLiteral("EdtId"))->setText(QStringLiteral("004512"));
        window->findChild<QPushButton *>(QStringLiteral("btnCOM"))->click();
        ASSERT_TRUE(window->registerLine().isOpen());
        QObject::connect(&window->session(), &RegisterSession::transferFinished,
                         [this](const QString &family, bool write, TransferOutcome outcome) {
                             if (!write && outcome == TransferOutcome::Completed)
                                 read << family;
                         });
    }

    TableEditing &editing(const char *view) const
    {
        auto *table = window->findChild<QTableView *>(QString::fromLatin1(view));
        EXPECT_NE(table, nullptr) << view;
        TableEditing *e = TableEditing::of(table);
        EXPECT_NE(e, nullptr) << view;
        return *e;
    }
    // Presses the keys of one of the view's actions.
    static void press(TableEditing &e, const QKeySequence &keys)
    {
        for (QAction *a : e.view()->actions())
            if (a->shortcut() == keys) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no action for " << keys.toString().toStdString();
    }
    static void select(TableEditing &e, int top, int left, int bottom, int right)
    {
        QAbstractItemModel *m = e.view()->model();
        e.view()->setCurrentIndex(m->index(top, left));
        e.view()->selectionModel()->select(QItemSelection(m->index(top, left), m->index(bottom, right)),
                                           QItemSelectionModel::ClearAndSelect);
    }
    static ClipboardText::Block cells(const EditableTable &t, int top, int left, int rows, int columns)
    {
        ClipboardText::Block block;
        for (int r = top; r < top + rows; ++r) {
            QStringList row;
            for (int c = left; c < left + columns; ++c)
                row << t.editText(r, c);
            block << row;
        }
        return block;
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    void undo() const { action("actUndo")->trigger(); }
    void redo() const { action("actRedo")->trigger(); }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;
    QStringList read;
};

class EveryTable : public Editing, public ::testing::WithParamInterface<Table> {
protected:
    TableEditing &e() const { return editing(GetParam().view); }
    // Distinct texts in a block of the table, not through the history.
    void fill(int rows, int columns, const QString &tag) const
    {
        std::vector<CellWrite> writes;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                writes.push_back(CellWrite{GetParam().top + r, GetParam().left + c, tag + QStringLiteral("%1_%2").arg(r).arg(c)});
        e().table().writeCells(writes);
    }
};

TEST_P(EveryTable, CopiedBlockPastesBackTheSameAndUndoes)
{
    const Table &t = GetParam();
    const int rows = 3;
    const int columns = t.columns;
    fill(rows, columns, QStringLiteral("c"));
    const ClipboardText::Block source = cells(e().table(), t.top, t.left, rows, columns);
    select(e(), t.top, t.left, t.top + rows - 1, t.left + columns - 1);
    press(e(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), ClipboardText::encode(source));

    const int at = t.top + 6;
    const ClipboardText::Block before = cells(e().table(), at, t.left, rows, columns);
    select(e(), at, t.left, at, t.left);
    press(e(), QKeySequence::Paste);
    EXPECT_EQ(cells(e().table(), at, t.left, rows, columns), source);
    EXPECT_TRUE(action("actUndo")->isEnabled());
    EXPECT_EQ(action("actUndo")->toolTip(),
              QStringLiteral("Поништи: лепљење %1 ћелија").arg(rows * columns));
    EXPECT_FALSE(action("actRedo")->isEnabled());

    undo();
    EXPECT_EQ(cells(e().table(), at, t.left, rows, columns), before);
    EXPECT_EQ(action("actRedo")->toolTip(), QStringLiteral("Понови: лепљење %1 ћелија").arg(rows * columns));
    redo();
    EXPECT_EQ(cells(e().table(), at, t.left, rows, columns), source);
}

TEST_P(EveryTable, CopyWithHeadingsStartsWithThem)
{
    const Table &t = GetParam();
    select(e(), t.top, t.left, t.top, t.left);
    press(e(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    const ClipboardText::Block copied = ClipboardText::decode(QApplication::clipboard()->text());
    ASSERT_EQ(copied.size(), 2);
    EXPECT_EQ(copied[0], QStringList{e().table().columnHeading(t.left)});
    EXPECT_EQ(copied[1], QStringList{e().table().editText(t.top, t.left)});
}

TEST_P(EveryTable, OneValueGoesIntoEverySelectedCell)
{
    const Table &t = GetParam();
    const int rows = 10;
    const int columns = t.columns + (QLatin1String(t.name) == QLatin1String("articles") ? 1 : 0);
    const ClipboardText::Block before = cells(e().table(), t.top, t.left, rows, columns);
    QApplication::clipboard()->setText(QStringLiteral("7"));
    select(e(), t.top, t.left, t.top + rows - 1, t.left + columns - 1);
    press(e(), QKeySequence::Paste);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            EXPECT_EQ(e().table().editText(t.top + r, t.left + c), e().table().typedText(t.left + c, QStringLiteral("7")));
    undo();
    EXPECT_EQ(cells(e().table(), t.top, t.left, rows, columns), before);
}

TEST_P(EveryTable, FillDownCopiesTheTopRow)
{
    const Table &t = GetParam();
    fill(1, t.columns, QStringLiteral("top"));
    const ClipboardText::Block before = cells(e().table(), t.top, t.left, 5, t.columns);
    select(e(), t.top, t.left, t.top + 4, t.left + t.columns - 1);
    press(e(), QKeySequence(QStringLiteral("Ctrl+D")));
    for (int r = 1; r < 5; ++r)
        EXPECT_EQ(cells(e().table(), t.top + r, t.left, 1, t.columns).front(), before.front()) << r;
    EXPECT_EQ(e().history().undoName(), QStringLiteral("попуњавање %1 ћелија").arg(4 * t.columns));
    undo();
    EXPECT_EQ(cells(e().table(), t.top, t.left, 5, t.columns), before);
}

TEST_P(EveryTable, DeleteBringsBackTheStartTexts)
{
    const Table &t = GetParam();
    ClipboardText::Block start;
    for (int r = 0; r < 2; ++r) {
        QStringList row;
        for (int c = 0; c < t.columns; ++c)
            row << e().table().startText(t.top + r, t.left + c);
        start << row;
    }
    fill(2, t.columns, QStringLiteral("x"));
    const ClipboardText::Block filled = cells(e().table(), t.top, t.left, 2, t.columns);
    select(e(), t.top, t.left, t.top + 1, t.left + t.columns - 1);
    press(e(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(cells(e().table(), t.top, t.left, 2, t.columns), start);
    undo();
    EXPECT_EQ(cells(e().table(), t.top, t.left, 2, t.columns), filled);
    redo();
    EXPECT_EQ(cells(e().table(), t.top, t.left, 2, t.columns), start);
}

TEST_P(EveryTable, ATypedCellIsOneStep)
{
    const Table &t = GetParam();
    const QString before = e().table().editText(t.top, t.left);
    auto *pages = window->findChild<QStackedWidget *>(QStringLiteral("Page"));
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(e().view()))
            pages->setCurrentIndex(i);
    ASSERT_TRUE(e().view()->isVisible());
    const QModelIndex cell = e().view()->model()->index(t.top, t.left);
    e().view()->setCurrentIndex(cell);
    e().view()->edit(cell);
    auto *editor = e().view()->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("typed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on a queued call
    EXPECT_EQ(e().table().editText(t.top, t.left), QStringLiteral("typed"));
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи: ") + StepNames::Typed);
    undo();
    EXPECT_EQ(e().table().editText(t.top, t.left), before);
}

TEST_P(EveryTable, ContextMenuHasTheActions)
{
    QStringList texts;
    for (QAction *a : e().contextMenu()->actions())
        if (!a->isSeparator())
            texts << a->text();
    EXPECT_EQ(texts, QStringList({"Копирај", "Налепи", "Попуни наниже", "Обриши", "Поништи", "Понови"}));
}

INSTANTIATE_TEST_SUITE_P(Tables, EveryTable,
                         ::testing::Values(Table{"articles", "sgArticles", "articles", 0, 1, 4},
                                           Table{"groups", "sgGrupe", "groups", 1, 1, 3}),
                         [](const ::testing::TestParamInfo<Table> &info) { return std::string(info.param.name); });

TEST_F(Editing, PastedNamesAndTaxesFollowTheTypingRules)
{
    TableEditing &e = editing("sgArticles");
    const QString longName = QStringLiteral("Чоколада млечна са лешницима 100г пакет");
    QApplication::clipboard()->setText(ClipboardText::encode({{QStringLiteral("Хлеб\nбели"), "1", "1", "1", QStringLiteral("ж")},
                                                              {longName, "1", "1", "1", "7"},
                                                              {QStringLiteral("Сир"), "1", "1", "1", QStringLiteral("Жх")}}));
    select(e, 0, ArticleTableModel::Name, 0, ArticleTableModel::Name);
    press(e, QKeySequence::Paste);
    const ArticleTableModel &m = window->articles().model();
    EXPECT_EQ(m.cell(0, ArticleTableModel::Name), QStringLiteral("Хлеб\nбели"));
    EXPECT_EQ(m.cell(1, ArticleTableModel::Name), longName.left(36));
    EXPECT_EQ(QStringList({m.cell(0, ArticleTableModel::Tax), m.cell(1, ArticleTableModel::Tax), m.cell(2, ArticleTableModel::Tax)}),
              QStringList({"Ж", "J", "Ж"}));
    ASSERT_EQ(dialog->history().size(), 1);
    EXPECT_EQ(dialog->history()[0].first, TableEditing::PasteTitle);
    const QStringList lines = dialog->history()[0].second.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(1), QStringList({QStringLiteral("ред 1, Порез: „ж“ → „Ж“"),
                                         QStringLiteral("ред 2, Назив: „%1“ → „%2“").arg(longName, longName.left(36)),
                                         QStringLiteral("ред 2, Порез: „7“ → „J“"),
                                         QStringLiteral("ред 3, Порез: „Жх“ → „Ж“")}));
}

TEST_F(Editing, ABlockPastTheLastArticleIsCutAndTold)
{
    TableEditing &e = editing("sgArticles");
    ClipboardText::Block block;
    for (int r = 0; r < 10; ++r)
        block << QStringList{QStringLiteral("Артикал %1").arg(r)};
    QApplication::clipboard()->setText(ClipboardText::encode(block));
    QSignalSpy statuses(&window->articles(), &ParameterFamily::status);
    QSignalSpy changes(&window->articles().model(), &QAbstractItemModel::dataChanged);
    select(e, 3994, ArticleTableModel::Name, 3994, ArticleTableModel::Name); // article 3995
    press(e, QKeySequence::Paste);
    EXPECT_EQ(changes.size(), 1); // the whole block in one notice
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(window->articles().model().cell(3994 + r, ArticleTableModel::Name), QStringLiteral("Артикал %1").arg(r));
    ASSERT_EQ(statuses.size(), 1);
    EXPECT_EQ(statuses[0][0].toString(), QStringLiteral("Изван табеле, није налепљено: 4 реда"));
}

TEST_F(Editing, CalcTextPastesTheSpreadsheetsCells)
{
    QFile fixture(QStringLiteral(VILARON_FIXTURES "/spreadsheet/calc_paste.tsv"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    QApplication::clipboard()->setText(QString::fromUtf8(fixture.readAll()));
    TableEditing &e = editing("sgArticles");
    select(e, 0, ArticleTableModel::Name, 0, ArticleTableModel::Name);
    press(e, QKeySequence::Paste);
    const ClipboardText::Block sheet = {
        {QStringLiteral("Хлеб бели"), "0012345", "1", "12,50", QStringLiteral("Е"), "2,75", "3"},
        {QStringLiteral("Сир „Млади“\nу кришкама"), "8600000000017", "2", "1234,50", QStringLiteral("Ђ"), "-1", "12"},
        {QStringLiteral("Кафа \"Доручак\" 200г"), "00000000000000", "8", "0,99", QStringLiteral("А"), "0", "0"}};
    EXPECT_EQ(cells(e.table(), 0, ArticleTableModel::Name, 3, 7), sheet);
    EXPECT_TRUE(dialog->history().isEmpty());
}

TEST_F(Editing, UndoingAFileLoadBringsBackTheDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("artikli.txt"));
    ArticleTableModel &m = window->articles().model();
    TableStates &states = window->session().tableStates();
    m.setCell(0, ArticleTableModel::Name, QStringLiteral("Хлеб"));
    ASSERT_TRUE(window->session().tableFiles().saveArticles(path));
    m.setCell(0, ArticleTableModel::Name, QString());
    states.startUp();
    ASSERT_TRUE(states.holdsOnlyDefaults(QStringLiteral("articles")));

    ASSERT_TRUE(window->session().tableFiles().loadArticles(path));
    EXPECT_EQ(m.cell(0, ArticleTableModel::Name), QStringLiteral("Хлеб"));
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи: ") + StepNames::FileLoad);
    undo();
    EXPECT_EQ(m.cell(0, ArticleTableModel::Name), QString());
    EXPECT_TRUE(states.holdsOnlyDefaults(QStringLiteral("articles")));
    EXPECT_TRUE(states.withUnsavedEdits().isEmpty());
    redo();
    EXPECT_EQ(m.cell(0, ArticleTableModel::Name), QStringLiteral("Хлеб"));
    EXPECT_FALSE(states.holdsOnlyDefaults(QStringLiteral("articles")));
    EXPECT_TRUE(states.withUnsavedEdits().isEmpty());
}

TEST_F(Editing, UndoingARegisterReadLeavesTheRegisterAndAsksAgain)
{
    GroupTable &groups = static_cast<GroupTable &>(window->session().groups().table());
    const QString startName = groups.cell(GroupTable::Name, 1);
    window->findChild<QPushButton *>(QStringLiteral("BtnGRead"))->click();
    ASSERT_TRUE(waitUntil([&] { return read.contains(QStringLiteral("groups")) && !window->driver().isBusy(); }, Patience));
    const QString readName = groups.cell(GroupTable::Name, 1);
    ASSERT_NE(readName, startName);
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи: ") + StepNames::RegisterRead);
    const auto log = reg.log();

    undo();
    EXPECT_EQ(groups.cell(GroupTable::Name, 1), startName);
    EXPECT_EQ(reg.log(), log); // nothing sent
    EXPECT_TRUE(window->session().tableStates().holdsOnlyDefaults(QStringLiteral("groups")));
    // The table no longer matches what the register holds: its rows are marked.
    EXPECT_TRUE(waitUntil([&] { return !groups.rowMarks().isEmpty(); }, Patience));
    dialog->scriptAnswers({false});
    window->findChild<QPushButton *>(QStringLiteral("BtnGWrite"))->click();
    EXPECT_EQ(dialog->questions(), (QList<QPair<QString, QString>>{{DataLossGuard::Title, DataLossGuard::DefaultsText}}));
    EXPECT_FALSE(window->driver().isBusy());

    redo();
    EXPECT_EQ(groups.cell(GroupTable::Name, 1), readName);
    EXPECT_FALSE(window->session().tableStates().holdsOnlyDefaults(QStringLiteral("groups")));
    EXPECT_TRUE(waitUntil([&] { return groups.rowMarks().isEmpty(); }, Patience));
}

TEST_F(Editing, UndoingACorrectionRefillsTheEditFields)
{
    DepartmentFamily &departments = window->session().departments();
    departments.selectRow(0);
    const QString start = departments.model().cell(0, DepartmentTableModel::Name);
    auto *name = window->findChild<QLineEdit *>(QStringLiteral("EdtONaziv"));
    name->setText(QStringLiteral("Пекара"));
    window->findChild<QPushButton *>(QStringLiteral("BtnOCor"))->click();
    ASSERT_EQ(departments.model().cell(0, DepartmentTableModel::Name), QStringLiteral("Пекара"));
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи: ") + StepNames::Correction);
    undo();
    EXPECT_EQ(departments.model().cell(0, DepartmentTableModel::Name), start);
    EXPECT_EQ(name->text(), start);
}

TEST_F(Editing, UndoFollowsTheTableLastUsed)
{
    TableEditing &articles = editing("sgArticles");
    TableEditing &groups = editing("sgGrupe");
    articles.history().apply(QStringLiteral("a"), {CellWrite{0, 1, QStringLiteral("a")}});
    groups.history().apply(QStringLiteral("g"), {CellWrite{1, 1, QStringLiteral("g")}});
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи: g"));
    emit articles.activated();
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи: a"));
    undo();
    EXPECT_EQ(articles.table().editText(0, 1), QString());
    EXPECT_EQ(groups.table().editText(1, 1), QStringLiteral("g"));
    EXPECT_FALSE(action("actUndo")->isEnabled());
    EXPECT_EQ(action("actUndo")->toolTip(), QStringLiteral("Поништи"));
}

TEST_F(Editing, TheNumberColumnSelectsWholeRows)
{
    window->btPage2Click();
    TableEditing &e = editing("sgArticles");
    ASSERT_TRUE(e.view()->isVisible());
    const QModelIndex number = e.view()->model()->index(4, ArticleTableModel::Number);
    QTest::mouseClick(e.view()->viewport(), Qt::LeftButton, Qt::NoModifier, e.view()->visualRect(number).center());
    const CellSelection s = e.selection();
    ASSERT_EQ(s.rects.size(), 1u);
    EXPECT_EQ(s.rects[0].top, 4);
    EXPECT_EQ(s.rects[0].bottom, 4);
    EXPECT_EQ(s.rects[0].left, 0);
    EXPECT_EQ(s.rects[0].right, ArticleTableModel::ColumnCount - 1);
}

} // namespace
