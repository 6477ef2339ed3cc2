// The register session without any widget: a QCoreApplication, the real
// serial layer and the register simulator on a pseudo-terminal.
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/common/namedrecord.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "protocol/commands.h"
#include "session/registersession.h"
#include "session/tablestates.h"
#include "tablefiles/tablefileactions.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 60000; // ms; the 4000 articles through a pseudo-terminal

class Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        ASSERT_EQ(QCoreApplication::instance()->inherits("QApplication"), false);
        RegisterSession::Options options;
        options.regional = Regional::withDecimal(QLatin1Char(','));
        options.registerPort = reg.slavePath();
        session = std::make_unique<RegisterSession>(options);
        session->setSerialNumberSource([] { return QStringLiteral("004512"); });
        session->reset();
        QObject::connect(session.get(), &RegisterSession::transferFinished,
                         [this](const QString &family, bool write, TransferOutcome outcome) {
                             finished << QStringLiteral("%1 %2 %3").arg(family, write ? "write" : "read",
                                                                        TransferOutcomes::key(outcome));
                         });
        QObject::connect(session.get(), &RegisterSession::message,
                         [this](const QString &, const QString &text) { problems << text; });
        QObject::connect(session.get(), &RegisterSession::programError,
                         [this](const QString &text) { problems << text; });
        QString error;
        ASSERT_TRUE(session->registerLine().open(&error)) << error.toStdString();
    }
    bool runs(const std::function<void()> &start, const QString &end)
    {
        start();
        return waitUntil([&] { return finished.contains(end) && !session->driver().isBusy(); }, Patience);
    }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<RegisterSession> session;
    QStringList finished;
    QStringList problems;
};

TEST_F(Session, ReadsEveryFamilyFromTheRegister)
{
    QSignalSpy confirmed(session.get(), &RegisterSession::recordConfirmed);
    const struct {
        ParameterFamily *family;
        const char *slot;
        const char *end;
        int records;
    } reads[] = {
        {&session->headerLines(), "btnReadClicheClick", "header read Completed", 8},
        {&session->taxRates(), "btnTGReadClick", "taxes read Completed", 9},
        {&session->departments(), "btnSTReadClick", "departments read Completed", 8},
        {&session->articles(), "btnAReadClick", "articles read Completed", 4000},
        {&session->groups(), "BtnGReadClick", "groups read Completed", 13},
        {&session->operators(), "BtnOReadClick", "operators read Completed", 25},
        {&session->logo(), "btnLogoReadClick", "logo read Completed", reg.state().logoHeight},
    };
    for (const auto &r : reads) {
        const int before = confirmed.size();
        ASSERT_TRUE(runs([&] { QMetaObject::invokeMethod(r.family, r.slot); }, QString::fromLatin1(r.end)))
            << r.end << " " << finished.join('|').toStdString();
        EXPECT_EQ(confirmed.size() - before, r.records) << r.end;
    }
    // The one record of the passwords.
    QSignalSpy passwords(&session->passwords(), &PasswordFamily::passwordsRead);
    session->passwords().BtnLozinkaReadClick();
    ASSERT_TRUE(waitUntil([&] { return passwords.size() == 1 && !session->driver().isBusy(); }, Patience));
    EXPECT_TRUE(problems.isEmpty()) << problems.join('|').toStdString();
    // What the register holds is now in the tables.
    EXPECT_EQ(session->groups().table().recordCell(0, GroupTable::Name),
              NamedRecord::decodeName(reg.state().groups[0].name));
    EXPECT_EQ(session->logo().picture().height(), qMax(1, int(reg.state().logoHeight)));
}

// The table files belong to the session as well: a program without widgets
// saves what it read and loads it back into another session, and the table
// states hear of both.
TEST_F(Session, SavesAndLoadsTheTablesWithoutWidgets)
{
    ASSERT_TRUE(runs([&] { session->departments().btnSTReadClick(); }, "departments read Completed"));
    ASSERT_TRUE(runs([&] { session->articles().btnAReadClick(); }, "articles read Completed"));
    session->departments().model().setCell(2, 1, QStringLiteral("ИЗМЕНА"));
    ASSERT_EQ(session->tableStates().withUnsavedEdits(), QStringList{QStringLiteral("departments")});

    QTemporaryDir dir;
    const QString articles = dir.filePath(QStringLiteral("ART.CSV"));
    const QString departments = dir.filePath(QStringLiteral("OD.CSV"));
    QStringList statuses;
    QObject::connect(session.get(), &RegisterSession::status, [&](const QString &s) { statuses << s; });
    ASSERT_TRUE(session->tableFiles().saveArticles(articles));
    ASSERT_TRUE(session->tableFiles().saveDepartments(departments));
    EXPECT_TRUE(session->tableStates().withUnsavedEdits().isEmpty()) << "a saved table loses nothing";
    EXPECT_EQ(statuses.size(), 2) << "each save is told through the session";
    EXPECT_EQ(problems, QStringList(2, QStringLiteral("Подаци су успешно уписани!...")));
    problems.clear();

    RegisterSession::Options sameSeparators;
    sameSeparators.regional = session->regional();
    RegisterSession other(sameSeparators);
    QObject::connect(&other, &RegisterSession::programError, [this](const QString &text) { problems << text; });
    ASSERT_TRUE(other.tableFiles().loadArticles(articles));
    ASSERT_TRUE(other.tableFiles().loadDepartments(departments));
    for (int row : {0, 1, 1500, 3999}) {
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ(other.articles().model().cell(row, column), session->articles().model().cell(row, column))
                << row << ", " << column;
    }
    EXPECT_EQ(other.departments().model().cell(2, 1), QStringLiteral("ИЗМЕНА"));
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

// A write that stops names the record as the family's table numbers it:
// groups and logo rows from 0, the operators (as the others) from 1.
TEST_F(Session, AStoppedWriteNamesTheRecordAsItsTableDoes)
{
    QString status;
    QObject::connect(session.get(), &RegisterSession::status, [&](const QString &s) { status = s; });
    for (int i = 0; i < OperatorTable::RecordCount; ++i)
        session->operators().table().setRecordCell(i, OperatorTable::Password, i == 6 ? QStringLiteral("x") : QStringLiteral("1"));
    session->groups().table().setRecordCell(6, GroupTable::Share, QStringLiteral("101"));
    // The logo write stops at row 2: the register answers no more from there.
    QObject::connect(&reg, &PtyRegister::requestHandled, &reg, [this](int code, int row) {
        if (code == Command::WriteLogoRow && row == 2)
            reg.setFaults(PtyRegister::Faults{true});
    });
    const struct {
        std::function<void()> write;
        const char *status;
    } stops[] = {
        {[&] { session->groups().BtnGWriteClick(); }, "Унос отказан: грешка у подацима, ред 6."},
        {[&] { session->operators().BtnOWriteClick(); }, "Унос отказан: грешка у подацима, ред 7."},
        {[&] {
             session->logo().btnLogoWriteClick();
             waitUntil([&] { return reg.log().contains({Command::WriteLogoRow, 2}); }, Patience);
             session->cancel();
         },
         "Пренос прекинут код записа 2."},
    };
    for (const auto &stop : stops) {
        stop.write();
        EXPECT_TRUE(waitUntil([&] { return !session->driver().isBusy() && status == QString::fromUtf8(stop.status); },
                              Patience))
            << status.toStdString();
    }
}

} // namespace
