// The tool against simulated registers: read, write, verify, several
// registers at once, changes only, and profiles moved between locales.
#include "cli/clitrace.h"
#include "support/filebytes.h"
#include "tests/cli/clirig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonArray registersOf(const QString &json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object().value(QStringLiteral("registers")).toArray();
}

class CliTransfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(demo.isOpen() && blank.isOpen());
        ASSERT_TRUE(dir.isValid());
    }
    QString folder(const QString &name) const { return dir.filePath(name); }

    PtyRegister demo{RegisterState::demo()};
    PtyRegister blank{RegisterState::blank()};
    QTemporaryDir dir;
};

TEST_F(CliTransfer, ReadsADemoRegisterAndWritesItIntoABlankOneUnderAnotherLocale)
{
    // Read under a comma locale.
    const CliOutcome read = runCli({registerArg(demo, "004512"), "read", folder("shop")}, Regional::comma());
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    ASSERT_TRUE(QFile::exists(folder("shop/articles.csv")));
    EXPECT_FALSE(QFile::exists(folder("shop/passwords.csv")));

    // Written and verified under a point locale.
    const CliOutcome write =
        runCli({registerArg(blank, "004513"), "--verify", "--json", "write", folder("shop")}, Regional::point());
    ASSERT_EQ(write.status, 0) << write.err.toStdString() << write.out.toStdString();
    const QJsonObject summary = registersOf(write.out).at(0).toObject();
    EXPECT_EQ(summary.value("outcome").toString(), "Completed");
    EXPECT_EQ(summary.value("differences").toInt(), 0);
    EXPECT_EQ(summary.value("recordsWritten").toInt(), 8 + 9 + 8 + 4000 + 13 + 25 + demo.state().logoHeight);
    EXPECT_EQ(summary.value("serial").toString(), "004513");

    const CliOutcome verify = runCli({registerArg(blank, "004513"), "verify", folder("shop")}, Regional::point());
    EXPECT_EQ(verify.status, 0) << verify.out.toStdString();
    EXPECT_TRUE(verify.out.isEmpty()) << verify.out.toStdString();
    expectWrittenFieldsEqual(demo.state(), blank.state());
}

TEST_F(CliTransfer, WritesIntoSeveralRegistersAtOnce)
{
    PtyRegister third{RegisterState::blank()};
    ASSERT_EQ(runCli({registerArg(demo, "1"), "--families", "header,groups,logo", "read", folder("p")}).status, 0);
    const CliOutcome write =
        runCli({registerArg(blank, "2"), registerArg(third, "3"), "--json", "write", folder("p")});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    const QJsonArray registers = registersOf(write.out);
    ASSERT_EQ(registers.size(), 2);
    EXPECT_EQ(registers.at(1).toObject().value("serial").toString(), "3");
    EXPECT_EQ(registers.at(0).toObject().value("families").toArray(), QJsonArray({"header", "groups", "logo"}));
    for (const PtyRegister *reg : {&blank, &third}) {
        EXPECT_EQ(reg->state().headerLines, demo.state().headerLines);
        EXPECT_EQ(reg->state().groups[3].name, demo.state().groups[3].name);
        EXPECT_EQ(reg->state().logoHeight, demo.state().logoHeight);
    }
    // One progress line per register and step, naming the register.
    EXPECT_TRUE(write.err.contains(QStringLiteral("%1 (серијски број 3): Лого: упис").arg(third.slavePath())))
        << write.err.toStdString();
}

TEST_F(CliTransfer, ReadsSeveralRegistersIntoOneFolderPerSerialNumber)
{
    const CliOutcome read =
        runCli({registerArg(demo, "11"), registerArg(blank, "12"), "--families", "taxes", "read", folder("all")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder("all/11/tax-rates.csv")));
    EXPECT_TRUE(QFile::exists(folder("all/12/tax-rates.csv")));
    EXPECT_FALSE(QFile::exists(folder("all/11/groups.csv")));
}

TEST_F(CliTransfer, ChangesOnlySendsTheRecordsThatDiffer)
{
    ASSERT_EQ(runCli({registerArg(demo, "1"), "--families", "groups,operators", "read", folder("p")}).status, 0);
    ASSERT_EQ(runCli({registerArg(blank, "2"), "write", folder("p")}).status, 0);
    // The register drifts in two records.
    blank.state().groups[4].share = 1;
    blank.state().operators[7].password = 999;
    blank.clearLog();
    const CliOutcome write = runCli({registerArg(blank, "2"), "--changes-only", "--json", "write", folder("p")});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    const QJsonObject summary = registersOf(write.out).at(0).toObject();
    EXPECT_EQ(summary.value("recordsWritten").toInt(), 2);
    EXPECT_EQ(summary.value("skipped").toInt(), 13 + 25 - 2);
    EXPECT_EQ(blank.state().groups[4].share, demo.state().groups[4].share);
    EXPECT_EQ(blank.state().operators[7].password, demo.state().operators[7].password);
}

TEST_F(CliTransfer, VerifyListsEveryDifference)
{
    ASSERT_EQ(runCli({registerArg(demo, "1"), "--families", "header,groups", "read", folder("p")}).status, 0);
    ASSERT_EQ(runCli({registerArg(blank, "2"), "write", folder("p")}).status, 0);
    blank.state().headerLines[2] = RegisterState::headerLineField(QStringLiteral("ДРУГО"));
    blank.state().groups[5].share = 4;
    const CliOutcome verify = runCli({registerArg(blank, "2"), "verify", folder("p")});
    EXPECT_EQ(verify.status, 1);
    const QStringList lines = verify.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << verify.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("%1 (серијски број 2): Заглавље 3, Текст: у каси ДРУГО, у профилу ")
                                        .arg(blank.slavePath())))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Групе 5, Удео: у каси 0,04, у профилу "))) << lines[1].toStdString();
}

TEST_F(CliTransfer, WritesOneTraceFilePerRegister)
{
    ASSERT_EQ(runCli({registerArg(demo, "1"), "--families", "header", "read", folder("p")}).status, 0);
    ASSERT_EQ(runCli({registerArg(blank, "2"), "write", folder("p")}).status, 0);
    const QString trace = folder("link.txt");
    ASSERT_EQ(runCli({registerArg(blank, "77"), registerArg(demo, "78"), "--trace", trace, "verify", folder("p")})
                  .status,
              0);
    for (const char *serial : {"77", "78"}) {
        QFile file(traceFileFor(trace, QString::fromLatin1(serial)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << serial;
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.contains(QString::fromLatin1(serial)));
        // The eight header-line requests and their replies, one line each.
        EXPECT_EQ(text.count(QStringLiteral("→")), 8) << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("←")), 8) << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("\t101 читање реда заглавља\t")), 16) << text.toStdString();
        EXPECT_TRUE(isOwnerOnly(file.fileName()));
    }
}

TEST_F(CliTransfer, CarriesThePasswordsOnlyWhenAskedAndKeepsTheirFilePrivate)
{
    ASSERT_EQ(runCli({registerArg(demo, "1"), "--with-passwords", "--families", "header,passwords", "read",
                      folder("p")})
                  .status,
              0);
    const QFile::Permissions permissions = QFile::permissions(folder("p/passwords.csv"));
    EXPECT_TRUE(permissions & QFile::ReadOwner);
    EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::ReadOther));
    // Without --with-passwords a write leaves them alone.
    ASSERT_EQ(runCli({registerArg(blank, "2"), "write", folder("p")}).status, 0);
    EXPECT_EQ(blank.state().servicePassword, RegisterState::blank().servicePassword);
    const CliOutcome withPasswords = runCli({registerArg(blank, "2"), "--with-passwords", "--verify", "write", folder("p")});
    ASSERT_EQ(withPasswords.status, 0) << withPasswords.err.toStdString();
    EXPECT_EQ(blank.state().servicePassword, demo.state().servicePassword);
    EXPECT_EQ(blank.state().reportPassword, demo.state().reportPassword);
}

TEST_F(CliTransfer, DrawsALiveBarOnATerminal)
{
    ASSERT_EQ(runCli({registerArg(demo, "1"), "--families", "articles", "read", folder("p")}).status, 0);
    const CliOutcome verify =
        runCli({registerArg(demo, "1"), registerArg(blank, "2"), "verify", folder("p")}, Regional::comma(), true);
    EXPECT_EQ(verify.status, 1);
    // Each drawing rewrites the two lines in place; the last one shows the ends.
    EXPECT_TRUE(verify.err.contains(QStringLiteral("\x1b[2A"))) << verify.err.toStdString();
    const QStringList drawn = verify.err.split(QStringLiteral("\r\x1b[2K"), Qt::SkipEmptyParts);
    ASSERT_GE(drawn.size(), 2);
    EXPECT_TRUE(drawn[drawn.size() - 2].startsWith(QStringLiteral("%1 (серијски број 1): завршено").arg(demo.slavePath())));
    EXPECT_TRUE(drawn.last().startsWith(QStringLiteral("%1 (серијски број 2): завршено").arg(blank.slavePath())))
        << drawn.last().toStdString();
    EXPECT_FALSE(drawn.last().contains(QStringLiteral("разлика 0"))) << drawn.last().toStdString();
}

TEST(CliTrace, PutsTheSerialNumberBeforeTheExtension)
{
    EXPECT_EQ(traceFileFor("/tmp/a/trace.txt", "004512"), "/tmp/a/trace-004512.txt");
    EXPECT_EQ(traceFileFor("trace", "7"), "trace-7");
}

} // namespace
