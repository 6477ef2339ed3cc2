// Changes-only writes, resumed writes and verification against the register
// simulator on a pseudo-terminal, through the session's mirror.
#include "edit/edithistory.h"
#include "edit/stepnames.h"
#include "session/tablehistories.h"
#include "protocol/commands.h"
#include "core/decimaltext.h"
#include "core/programerror.h"
#include "params/articles/articlefamily.h"
#include "session/registersession.h"
#include "session/registersync.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 90000; // ms; 4000 articles through a pseudo-terminal
const QString Articles = QStringLiteral("articles");

class Sync : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        RegisterSession::Options options;
        options.regional = Regional::withDecimal(QLatin1Char(','));
        options.registerPort = reg.slavePath();
        options.retryIntervalMs = 100; // a stop by silence is over quickly
        session = std::make_unique<RegisterSession>(options);
        session->setSerialNumberSource([] { return QStringLiteral("004512"); });
        session->reset();
        QObject::connect(session.get(), &RegisterSession::transferFinished,
                         [this](const QString &family, bool write, TransferOutcome outcome) {
                             finished << QStringLiteral("%1 %2 %3").arg(family, write ? "write" : "read",
                                                                        TransferOutcomes::key(outcome));
                         });
        QObject::connect(session.get(), &RegisterSession::programError,
                         [this](const QString &text) { problems << text; });
        QString error;
        ASSERT_TRUE(session->registerLine().open(&error)) << error.toStdString();
    }
    bool runs(const std::function<void()> &start, const QString &end)
    {
        finished.clear();
        start();
        return waitUntil([&] { return finished.contains(end) && !session->driver().isBusy(); }, Patience);
    }
    ArticleTableModel &table() { return session->articles().model(); }
    RegisterSync &sync() { return session->sync(); }
    // The article writes the register acted on, by index.
    // The articles the register was asked to write, in order; a repeat of a
    // request (a slow reply on a loaded machine) is the same record once.
    QList<int> writtenArticles() const
    {
        QList<int> out;
        for (const auto &h : reg.log())
            if (h.code == Command::WriteArticle && (out.isEmpty() || out.last() != h.index))
                out << h.index;
        return out;
    }
    void readAllArticles()
    {
        ASSERT_TRUE(runs([&] { session->articles().btnAReadClick(); }, "articles read Completed"))
            << finished.join('|').toStdString();
    }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<RegisterSession> session;
    QStringList finished;
    QStringList problems;
};

TEST_F(Sync, WriteChangesSendsOnlyTheEditedRows)
{
    readAllArticles();
    EXPECT_EQ(session->mirror().knownCount(Articles), ArticleTableModel::RowCount);
    EXPECT_TRUE(sync().changedRecords(Articles).isEmpty());
    QList<int> edited;
    for (int i = 0; i < 50; ++i) {
        const int row = 37 + i * 79;
        edited << row;
        table().setCell(row, ArticleTableModel::Price, QStringLiteral("%1,25").arg(100 + i));
    }
    EXPECT_EQ(sync().changedRecords(Articles), edited);
    reg.clearLog();
    RegisterSync::Plan plan;
    ASSERT_TRUE(runs([&] { plan = sync().writeChanges(Articles); }, "articles write Completed"));
    EXPECT_EQ(plan.toSend, 50);
    EXPECT_EQ(plan.skipped, ArticleTableModel::RowCount - 50);
    EXPECT_EQ(writtenArticles(), edited);
    EXPECT_EQ(reg.log().size(), 50) << "no reads or other requests";
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(reg.state().articles[std::size_t(edited[i])].price, quint32((100 + i) * 100 + 25));
    EXPECT_TRUE(sync().changedRecords(Articles).isEmpty()) << "the acknowledged writes are known";
    EXPECT_TRUE(problems.isEmpty()) << problems.join('|').toStdString();
}

TEST_F(Sync, NothingChangedSendsNothing)
{
    readAllArticles();
    reg.clearLog();
    finished.clear();
    const RegisterSync::Plan plan = sync().writeChanges(Articles);
    EXPECT_EQ(plan.toSend, 0);
    EXPECT_EQ(plan.skipped, ArticleTableModel::RowCount);
    EXPECT_FALSE(session->driver().isBusy());
    EXPECT_TRUE(reg.log().isEmpty());
    EXPECT_TRUE(finished.isEmpty());
}

TEST_F(Sync, AWriteStoppedBySilenceIsFinishedFromWhereItStopped)
{
    constexpr int StopAt = 634;
    for (int r = 0; r < ArticleTableModel::RowCount; ++r)
        table().setCell(r, ArticleTableModel::Name, QStringLiteral("АРТ %1").arg(r));
    bool stopped = false; // the register falls silent once, at that row
    QObject::connect(&reg, &PtyRegister::requestHandled, [this, &stopped](int code, int index) {
        if (code == Command::WriteArticle && index == StopAt && !stopped) {
            stopped = true;
            PtyRegister::Faults f;
            f.silent = true;
            reg.setFaults(f);
        }
    });
    ASSERT_TRUE(runs([&] { session->articles().btnAWriteClick(); }, "articles write NoReply"))
        << finished.join('|').toStdString();
    reg.setFaults({});
    QList<int> rest;
    for (int r = StopAt; r < ArticleTableModel::RowCount; ++r)
        rest << r;
    EXPECT_EQ(sync().changedRecords(Articles), rest);
    reg.clearLog();
    ASSERT_TRUE(runs([&] { sync().writeChanges(Articles); }, "articles write Completed"))
        << finished.join('|').toStdString();
    EXPECT_EQ(writtenArticles(), rest);
    // Nothing lost: a verification finds the register equal to the table.
    QSignalSpy verified(&sync(), &RegisterSync::verifyFinished);
    ASSERT_TRUE(runs([&] { sync().verify(Articles); }, "articles read Completed"));
    ASSERT_EQ(verified.size(), 1);
    EXPECT_TRUE(verified.at(0).at(2).value<QList<RecordDifference>>().isEmpty());
    EXPECT_EQ(table().cell(3999, ArticleTableModel::Name), QStringLiteral("АРТ 3999"));
}

TEST_F(Sync, VerifyListsExactlyTheFieldsChangedInTheRegisterAndLeavesTheTable)
{
    readAllArticles();
    const ArticleRow before10 = table().row(10);
    reg.state().articles[10].price += 100;
    reg.state().articles[20].groupDepartment = quint8((reg.state().articles[20].groupDepartment & 0x0F) | (5 << 4));
    if (table().row(20).group == QStringLiteral("5"))
        reg.state().articles[20].groupDepartment = quint8(reg.state().articles[20].groupDepartment & 0x0F);
    reg.state().articles[30].sold += 5000; // not written, so not compared
    QSignalSpy verified(&sync(), &RegisterSync::verifyFinished);
    ASSERT_TRUE(runs([&] { sync().verify(Articles); }, "articles read Completed"));
    ASSERT_EQ(verified.size(), 1);
    const auto diffs = verified.at(0).at(2).value<QList<RecordDifference>>();
    ASSERT_EQ(diffs.size(), 2);
    EXPECT_EQ(diffs[0].index, 10);
    EXPECT_EQ(diffs[0].field, QStringLiteral("Цена"));
    EXPECT_EQ(diffs[0].table, before10.price);
    EXPECT_EQ(diffs[0].held, DecimalText::formatScaled(reg.state().articles[10].price, 2, QLatin1Char(',')));
    EXPECT_EQ(diffs[1].index, 20);
    EXPECT_EQ(diffs[1].field, QStringLiteral("Група"));
    EXPECT_EQ(diffs[1].held, QString::number(reg.state().articles[20].groupDepartment >> 4));
    EXPECT_EQ(table().row(10), before10) << "a verification leaves the table alone";
    // The table rows that differ carry the register's values.
    const QHash<int, QString> marks = sync().differingRecords(Articles);
    EXPECT_EQ(marks.keys().size(), 2);
    EXPECT_TRUE(marks.value(10).contains(diffs[0].held));
    // Taking the register's values makes the table equal again.
    EXPECT_EQ(sync().takeHeld(diffs), 2);
    EXPECT_TRUE(sync().differences(Articles).isEmpty());
    EXPECT_TRUE(sync().changedRecords(Articles).isEmpty());
}

TEST_F(Sync, ReopeningThePortKeepsTheMirrorAndForgetEmptiesIt)
{
    readAllArticles();
    session->registerLine().close();
    QString error;
    ASSERT_TRUE(session->registerLine().open(&error)) << error.toStdString();
    EXPECT_EQ(session->mirror().knownCount(Articles), ArticleTableModel::RowCount);
    session->mirror().forget();
    EXPECT_EQ(sync().changedRecords(Articles).size(), ArticleTableModel::RowCount);
}

} // namespace

namespace {

TEST_F(Sync, TheLogoAndThePasswordsAreNotComparedAndNeverLeaveAVerificationOpen)
{
    for (const QString &family : {QStringLiteral("logo"), QStringLiteral("passwords")}) {
        EXPECT_FALSE(RegisterSync::comparable(family));
        EXPECT_FALSE(sync().verify(family)) << family.toStdString();
        EXPECT_FALSE(sync().verifying());
        EXPECT_EQ(sync().writeChanges(family).toSend, 0);
        EXPECT_TRUE(sync().differences(family).isEmpty());
    }
    EXPECT_FALSE(session->driver().isBusy());
    EXPECT_TRUE(reg.log().isEmpty());
}

// A record's write bytes, or nothing when the table cannot write it.
std::optional<QByteArray> wireOf(TransferEngine &engine, int index)
{
    try {
        return engine.rules().writeRequest(index);
    } catch (const ProgramError &) {
        return std::nullopt;
    }
}

TEST_F(Sync, EveryComparedFamilyVerifiesWithoutTouchingItsTable)
{
    for (const QString &family : {QStringLiteral("header"), QStringLiteral("taxes"),
                                  QStringLiteral("departments"), QStringLiteral("groups"),
                                  QStringLiteral("operators")}) {
        TransferEngine *engine = sync().engine(family);
        ASSERT_NE(engine, nullptr) << family.toStdString();
        QList<std::optional<QByteArray>> before;
        for (int i = 0; i < engine->rules().recordCount; ++i)
            before << wireOf(*engine, i);
        QSignalSpy verified(&sync(), &RegisterSync::verifyFinished);
        ASSERT_TRUE(runs([&] { EXPECT_TRUE(sync().verify(family)); }, family + " read Completed"))
            << finished.join('|').toStdString();
        ASSERT_EQ(verified.size(), 1) << family.toStdString();
        EXPECT_EQ(session->mirror().knownCount(family), engine->rules().recordCount) << family.toStdString();
        for (int i = 0; i < engine->rules().recordCount; ++i)
            EXPECT_EQ(wireOf(*engine, i), before[i]) << family.toStdString() << " " << i;
        // The start-up table is not the demo register: differences are found.
        EXPECT_FALSE(verified.at(0).at(2).value<QList<RecordDifference>>().isEmpty()) << family.toStdString();
    }
}

} // namespace

namespace {

QList<int> range(int from, int to)
{
    QList<int> out;
    for (int i = from; i < to; ++i)
        out << i;
    return out;
}

TEST_F(Sync, AWriteStoppedByACancelOrARefusedRecordIsFinishedFromWhereItStopped)
{
    for (int r = 0; r < ArticleTableModel::RowCount; ++r)
        table().setCell(r, ArticleTableModel::Name, QStringLiteral("ПРВИ %1").arg(r));
    // A cancel once article 200 is acknowledged.
    auto stop = QObject::connect(session.get(), &RegisterSession::recordConfirmed,
                                 [this](const QString &, int index, const QByteArray &) {
                                     if (index == 199)
                                         QTimer::singleShot(0, session.get(), &RegisterSession::cancel);
                                 });
    ASSERT_TRUE(runs([&] { session->articles().btnAWriteClick(); }, "articles write Cancelled"));
    QObject::disconnect(stop);
    ASSERT_TRUE(waitUntil([&] { return !reg.outputPending() && !session->driver().isBusy(); }, Patience));
    const QList<int> afterCancel = sync().changedRecords(Articles);
    ASSERT_FALSE(afterCancel.isEmpty());
    EXPECT_GE(afterCancel.first(), 200) << "what was acknowledged is known";
    EXPECT_EQ(afterCancel, range(afterCancel.first(), ArticleTableModel::RowCount));

    // A refused record further on stops the changes-only write there.
    table().setCell(700, ArticleTableModel::Group, QStringLiteral("99"));
    ASSERT_TRUE(runs([&] { sync().writeChanges(Articles); }, "articles write Refused"));
    EXPECT_EQ(sync().changedRecords(Articles), range(700, ArticleTableModel::RowCount));
    table().setCell(700, ArticleTableModel::Group, QStringLiteral("9"));
    reg.clearLog();
    ASSERT_TRUE(runs([&] { sync().writeChanges(Articles); }, "articles write Completed"));
    EXPECT_EQ(writtenArticles(), range(700, ArticleTableModel::RowCount));
    EXPECT_TRUE(sync().changedRecords(Articles).isEmpty());
}

} // namespace

namespace {

TEST_F(Sync, TakingTheRegistersValuesMakesEveryComparedTableEqual)
{
    const TableHistories histories(*session);
    for (const QString &family : {QStringLiteral("header"), QStringLiteral("taxes"),
                                  QStringLiteral("departments"), QStringLiteral("groups"), QStringLiteral("operators"),
                                  QStringLiteral("articles")}) {
        ASSERT_TRUE(runs([&] { EXPECT_TRUE(sync().verify(family)); }, family + " read Completed"));
        const QList<RecordDifference> diffs = sync().differences(family);
        ASSERT_FALSE(diffs.isEmpty()) << family.toStdString() << ": the start-up table is not the demo register";
        EXPECT_GT(sync().takeHeld(diffs), 0) << family.toStdString();
        EXPECT_TRUE(sync().differences(family).isEmpty()) << family.toStdString();
        EXPECT_TRUE(sync().changedRecords(family).isEmpty()) << family.toStdString();
        // One undo step in the family's table brings the differences back.
        if (EditHistory *history = histories.of(family)) {
            EXPECT_EQ(history->undoName(), StepNames::TakenFromRegister) << family.toStdString();
            ASSERT_TRUE(history->undo());
            EXPECT_EQ(sync().differences(family).size(), diffs.size()) << family.toStdString();
        }
    }
}

} // namespace
