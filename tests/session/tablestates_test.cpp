// What each table stands to lose, followed through the session against the
// register simulator: start-up defaults, edits, reads, writes and files.
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/registersession.h"
#include "session/tablestates.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 30000; // ms

class States : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
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
        QString error;
        ASSERT_TRUE(session->registerLine().open(&error)) << error.toStdString();
    }
    bool runs(const std::function<void()> &start, const QString &end)
    {
        start();
        return waitUntil([&] { return finished.contains(end) && !session->driver().isBusy(); }, Patience);
    }
    TableStates &states() { return session->tableStates(); }
    bool onlyDefaults(const char *family) { return states().holdsOnlyDefaults(QString::fromLatin1(family)); }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<RegisterSession> session;
    QStringList finished;
};

TEST_F(States, StartUpLeavesNothingToLose)
{
    EXPECT_EQ(states().families(), QStringList({"header", "taxes", "departments", "articles", "groups",
                                                "operators", "logo", "passwords"}));
    for (const QString &family : states().families())
        EXPECT_TRUE(states().holdsOnlyDefaults(family)) << family.toStdString();
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
}

// One edit per family, as the user would type it, and the way back.
struct Edit {
    const char *family;
    std::function<void(RegisterSession &)> change;
    std::function<void(RegisterSession &)> undo;
    bool changeTouches; // the change itself counts as new data, even undone
};

class EditStates : public States, public ::testing::WithParamInterface<Edit> {};

TEST_P(EditStates, AnEditIsUnsavedUntilUndoneAndStartUpForgetsIt)
{
    const Edit &e = GetParam();
    const QString family = QString::fromLatin1(e.family);
    e.change(*session);
    EXPECT_FALSE(states().holdsOnlyDefaults(family));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{family});
    for (const QString &other : states().families())
        if (other != family) {
            EXPECT_TRUE(states().holdsOnlyDefaults(other)) << other.toStdString();
        }

    e.undo(*session);
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
    EXPECT_EQ(states().holdsOnlyDefaults(family), !e.changeTouches);

    e.change(*session);
    states().startUp();
    EXPECT_TRUE(states().holdsOnlyDefaults(family));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
}

QImage blankLogo()
{
    QImage image(216, 198, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamily, EditStates,
    ::testing::Values(
        Edit{"header", [](RegisterSession &s) { s.headerLines().setLine(2, QStringLiteral("ПРОДАВНИЦА")); },
             [](RegisterSession &s) { s.headerLines().setLine(2, QString()); }, false},
        Edit{"taxes", [](RegisterSession &s) { s.taxRates().table().setRate(3, QStringLiteral("18,00")); },
             [](RegisterSession &s) { s.taxRates().table().setRate(3, QString()); }, false},
        Edit{"departments",
             [](RegisterSession &s) { s.departments().model().setCell(4, DepartmentTableModel::Name, "Пиће"); },
             [](RegisterSession &s) { s.departments().model().resetToDefaults(); }, false},
        Edit{"articles",
             [](RegisterSession &s) { s.articles().model().setCell(3999, ArticleTableModel::Price, "12,50"); },
             [](RegisterSession &s) { s.articles().model().setCell(3999, ArticleTableModel::Price, "0"); }, false},
        Edit{"groups", [](RegisterSession &s) { s.groups().table().setCell(1, 13, QStringLiteral("Пекара")); },
             [](RegisterSession &s) { s.groups().table().setCell(1, 13, QStringLiteral("Група 12")); }, false},
        Edit{"operators",
             [](RegisterSession &s) { s.operators().table().setRecordCell(0, OperatorTable::Name, "Ана"); },
             [](RegisterSession &s) { s.operators().table().setRecordCell(0, OperatorTable::Name, ""); }, false},
        Edit{"logo",
             [](RegisterSession &s) {
                 QImage dots(40, 20, QImage::Format_RGB32);
                 dots.fill(Qt::black);
                 s.logo().setPicture(dots);
             },
             [](RegisterSession &s) { s.logo().setPicture(blankLogo()); }, true},
        Edit{"passwords", [](RegisterSession &s) { s.passwords().setServiceText(QStringLiteral("4711")); },
             [](RegisterSession &s) { s.passwords().setServiceText(QString()); }, false}),
    [](const ::testing::TestParamInfo<Edit> &info) { return std::string(info.param.family); });

TEST_F(States, AReadTouchesTheTableAndAWriteKeepsTheEdits)
{
    ASSERT_TRUE(runs([&] { session->groups().BtnGReadClick(); }, "groups read Completed"));
    EXPECT_FALSE(onlyDefaults("groups"));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());

    session->groups().table().setCell(1, 1, QStringLiteral("Воће"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"groups"});
    ASSERT_TRUE(runs([&] { session->groups().BtnGWriteClick(); }, "groups write Completed"));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
    EXPECT_FALSE(onlyDefaults("groups"));
}

TEST_F(States, AWholeReadReplacesTheEdits)
{
    session->groups().table().setCell(1, 13, QStringLiteral("Пекара"));
    ASSERT_TRUE(runs([&] { session->groups().BtnGReadClick(); }, "groups read Completed"));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
}

TEST_F(States, AReadOfSomeRecordsKeepsTheEditsElsewhere)
{
    session->groups().table().setCell(1, 13, QStringLiteral("Пекара"));
    ASSERT_TRUE(runs([&] { session->groups().transfer().read({0, 1}); }, "groups read Completed"));
    EXPECT_EQ(reg.log().size(), 2);
    EXPECT_FALSE(onlyDefaults("groups"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"groups"});
}

TEST_F(States, AReadIntoAReceiverKeepsTheEdits)
{
    session->operators().table().setRecordCell(3, OperatorTable::Name, QStringLiteral("Ана"));
    int received = 0;
    session->operators().transfer().setReceiver([&](int, const QByteArray &) { ++received; });
    ASSERT_TRUE(runs([&] { session->operators().BtnOReadClick(); }, "operators read Completed"));
    session->operators().transfer().setReceiver(nullptr);
    EXPECT_EQ(received, OperatorTable::RecordCount);
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"operators"});
}

TEST_F(States, ARefusedWriteLeavesTheEditsUnsaved)
{
    session->groups().table().setCell(2, 1, QStringLiteral("150,00")); // above 100 %
    ASSERT_TRUE(runs([&] { session->groups().BtnGWriteClick(); }, "groups write Refused"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"groups"});
}

TEST_F(States, AReadLeftUnfinishedKeepsEarlierEditsUnsaved)
{
    session->operators().table().setRecordCell(24, OperatorTable::Name, QStringLiteral("Марко"));
    // The register falls silent after the third operator.
    QObject::connect(&reg, &PtyRegister::requestHandled, &reg, [this](int, int index) {
        if (index == 2)
            reg.setFaults(PtyRegister::Faults{true});
    });
    session->operators().BtnOReadClick();
    ASSERT_TRUE(waitUntil([&] { return reg.log().size() >= 3 && session->driver().isBusy(); }, Patience));
    session->cancel();
    ASSERT_TRUE(finished.contains("operators read Cancelled"));
    EXPECT_FALSE(onlyDefaults("operators"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"operators"});
}

TEST_F(States, PasswordsReadThenTypedThenWritten)
{
    QSignalSpy read(&session->passwords(), &PasswordFamily::passwordsRead);
    session->passwords().BtnLozinkaReadClick();
    ASSERT_TRUE(waitUntil([&] { return read.size() == 1 && !session->driver().isBusy(); }, Patience));
    EXPECT_FALSE(onlyDefaults("passwords"));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());

    session->passwords().setReportText(QStringLiteral("2468"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"passwords"});
    QSignalSpy written(&session->passwords(), &PasswordFamily::writeCompleted);
    session->passwords().BtnLozinkaWriteClick();
    ASSERT_TRUE(waitUntil([&] { return written.size() == 1 && !session->driver().isBusy(); }, Patience));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
}

TEST_F(States, ALogoWriteSettlesOnlyWhenItsLastRecordIsAcknowledged)
{
    QImage dots(16, 4, QImage::Format_RGB32);
    dots.fill(Qt::black);
    session->logo().setPicture(dots);
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"logo"});
    QSignalSpy written(&session->logo(), &LogoFamily::writeCompleted);
    session->logo().btnLogoWriteClick();
    ASSERT_TRUE(waitUntil([&] { return finished.contains("logo write Completed"); }, Patience));
    if (written.isEmpty()) { // the rows are in; the height record is not yet
        EXPECT_EQ(states().withUnsavedEdits(), QStringList{"logo"});
    }
    ASSERT_TRUE(waitUntil([&] { return written.size() == 1 && !session->driver().isBusy(); }, Patience));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
}

TEST_F(States, ALoadedPictureIsNewDataButNothingUnsaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("blank.png"));
    ASSERT_TRUE(blankLogo().save(path));
    ASSERT_TRUE(session->logo().loadPictureFile(path));
    EXPECT_FALSE(onlyDefaults("logo"));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());
}

TEST_F(States, TableFilesSettleTheirTables)
{
    session->articles().model().setCell(0, ArticleTableModel::Name, QStringLiteral("Хлеб"));
    session->departments().model().setCell(0, DepartmentTableModel::Name, QStringLiteral("Пекара"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList({"departments", "articles"}));
    states().saved(QStringLiteral("articles"));
    EXPECT_EQ(states().withUnsavedEdits(), QStringList{"departments"});
    states().loaded(QStringLiteral("departments"));
    EXPECT_TRUE(states().withUnsavedEdits().isEmpty());

    states().startUp();
    states().loaded(QStringLiteral("articles")); // a file of start-up values is still loaded data
    EXPECT_FALSE(onlyDefaults("articles"));
}

} // namespace
