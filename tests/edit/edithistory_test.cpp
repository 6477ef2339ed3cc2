// The undo history of a table: steps by writes, by recorded changes and by
// changes over time, undo and redo with the owner's state, the limit.
#include "edit/edithistory.h"

#include "support/texttable.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

std::vector<CellWrite> block(int top, int rows, const QString &text)
{
    std::vector<CellWrite> writes;
    for (int r = top; r < top + rows; ++r)
        for (int c = 1; c < 3; ++c)
            writes.push_back(CellWrite{r, c, text + QString::number(r)});
    return writes;
}

class History : public ::testing::Test {
protected:
    TextTable table{6, 3};
    EditHistory history{table};
    const QStringList start = table.rows();
};

// How each way of making a step changes the table.
enum class Way { Apply, Record, BeginFinish, Together };

class EveryWay : public History, public ::testing::WithParamInterface<Way> {
protected:
    void change(const QString &name, const std::vector<CellWrite> &writes)
    {
        switch (GetParam()) {
        case Way::Apply: history.apply(name, writes); break;
        case Way::Record: history.record(name, [&] { table.writeCells(writes); }); break;
        case Way::BeginFinish:
            history.begin();
            EXPECT_FALSE(history.canUndo());
            for (const CellWrite &w : writes)
                table.set(w.row, w.column, w.text);
            history.finish(name);
            break;
        case Way::Together: EditHistory::recordTogether({&history}, name, [&] { table.writeCells(writes); }); break;
        }
    }
};

TEST_P(EveryWay, UndoAndRedoSwapTheTable)
{
    change(QStringLiteral("first"), block(0, 2, "a"));
    const QStringList afterFirst = table.rows();
    change(QStringLiteral("second"), block(1, 3, "b"));
    const QStringList afterSecond = table.rows();
    EXPECT_EQ(history.undoName(), QStringLiteral("second"));
    EXPECT_EQ(history.undoCount(), 2);

    const int notices = table.notices;
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(table.notices, notices + 1); // one change notice for the step
    EXPECT_EQ(table.rows(), afterFirst);
    EXPECT_EQ(history.redoName(), QStringLiteral("second"));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(table.rows(), start);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.undo());

    ASSERT_TRUE(history.redo());
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(table.rows(), afterSecond);
    EXPECT_FALSE(history.canRedo());
}

TEST_P(EveryWay, NoStepWithoutAChange)
{
    change(QStringLiteral("none"), {CellWrite{0, 1, table.editText(0, 1)}});
    EXPECT_FALSE(history.canUndo());
}

INSTANTIATE_TEST_SUITE_P(Ways, EveryWay,
                         ::testing::Values(Way::Apply, Way::Record, Way::BeginFinish, Way::Together));

TEST_F(History, ANewStepDropsTheRedoSteps)
{
    history.apply(QStringLiteral("a"), block(0, 1, "a"));
    history.undo();
    history.apply(QStringLiteral("b"), block(2, 1, "b"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoName(), QStringLiteral("b"));
}

TEST_F(History, KeepsAtMostItsLimit)
{
    EditHistory small(table, 3);
    for (int i = 0; i < 5; ++i)
        small.apply(QStringLiteral("s%1").arg(i), {CellWrite{0, 1, QString::number(i)}});
    EXPECT_EQ(small.undoCount(), 3);
    while (small.undo()) {
    }
    // The oldest two steps are gone: their change stays.
    EXPECT_EQ(table.editText(0, 1), QStringLiteral("1"));
}

TEST_F(History, HoldsAHundredStepsByDefault)
{
    for (int i = 0; i < 120; ++i)
        history.apply(QStringLiteral("s"), {CellWrite{1, 1, QString::number(i)}});
    EXPECT_EQ(history.undoCount(), EditHistory::DefaultLimit);
}

TEST_F(History, TheStateGoesBackWithTheCells)
{
    QString state = QStringLiteral("start-up");
    history.setStateKeeper([&] { return QVariant(state); }, [&](const QVariant &v) { state = v.toString(); });
    history.record(QStringLiteral("read"), [&] {
        table.set(0, 1, QStringLiteral("read"));
        state = QStringLiteral("read");
    });
    history.apply(QStringLiteral("typed"), {CellWrite{1, 1, QStringLiteral("t")}});
    state = QStringLiteral("edited");
    history.undo();
    EXPECT_EQ(state, QStringLiteral("read"));
    history.undo();
    EXPECT_EQ(state, QStringLiteral("start-up"));
    history.redo();
    EXPECT_EQ(state, QStringLiteral("read"));
    history.redo();
    EXPECT_EQ(state, QStringLiteral("edited"));
}

TEST_F(History, AChangeInsideABegunStepJoinsIt)
{
    history.begin();
    table.set(0, 1, QStringLiteral("r"));
    EXPECT_EQ(history.record(QStringLiteral("typed"), [&] { table.set(1, 1, QStringLiteral("t")); }), 0);
    EXPECT_GT(history.finish(QStringLiteral("read")), 0);
    EXPECT_EQ(history.undoCount(), 1);
    history.undo();
    EXPECT_EQ(table.rows(), start);
}

TEST_F(History, AbandonedStepIsNotKept)
{
    history.begin();
    table.set(0, 1, QStringLiteral("r"));
    history.abandon();
    EXPECT_EQ(history.finish(QStringLiteral("read")), 0);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(History, TogetherMakesOneStepInEachChangedTable)
{
    TextTable other(2, 2);
    EditHistory otherHistory(other);
    TextTable untouched(2, 2);
    EditHistory untouchedHistory(untouched);
    EditHistory::recordTogether({&history, &otherHistory, &untouchedHistory}, QStringLiteral("taken"), [&] {
        table.set(0, 1, QStringLiteral("x"));
        other.set(1, 1, QStringLiteral("y"));
    });
    EXPECT_EQ(history.undoName(), QStringLiteral("taken"));
    EXPECT_EQ(otherHistory.undoName(), QStringLiteral("taken"));
    EXPECT_FALSE(untouchedHistory.canUndo());
}

TEST_F(History, LongTextsAndEmptyTextsComeBackWhole)
{
    const QString longText(70000, QLatin1Char('x'));
    table.set(0, 1, longText);
    table.set(0, 2, QString());
    history.apply(QStringLiteral("a"), {CellWrite{0, 1, QStringLiteral("a")}, CellWrite{0, 2, QStringLiteral("b")}});
    history.undo();
    EXPECT_EQ(table.editText(0, 1), longText);
    EXPECT_EQ(table.editText(0, 2), QString());
}

TEST_F(History, CellsOutsideTheTableAreIgnored)
{
    EXPECT_EQ(history.apply(QStringLiteral("a"), {CellWrite{-1, 1, "x"}, CellWrite{6, 1, "x"}, CellWrite{0, 3, "x"}}), 0);
    EXPECT_FALSE(history.canUndo());
}

} // namespace
