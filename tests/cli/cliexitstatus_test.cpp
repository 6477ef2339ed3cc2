// Exit statuses and refusals: usage errors and damaged profiles (2, nothing
// sent), registers that do not answer or ports that fail (3), records
// refused as data errors (4); every message names the register.
#include <QCoreApplication>
#include "tests/cli/clirig.h"

#include <QFile>
#include <QTimer>

namespace {

class CliExit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(demo.isOpen() && target.isOpen() && dir.isValid());
        // A profile of every family but the articles (kept small for speed) ...
        ASSERT_EQ(runCli({registerArg(demo, "1"), "--families", "header,taxes,departments,groups,operators,logo",
                          "read", profile()})
                      .status,
                  0);
        target.clearLog();
    }
    QString profile() const { return dir.filePath("p"); }
    QString file(const QString &name) const { return dir.filePath("p/" + name); }

    PtyRegister demo{RegisterState::demo()};
    PtyRegister target{RegisterState::blank()};
    QTemporaryDir dir;
};

TEST_F(CliExit, DoneIsZero)
{
    EXPECT_EQ(runCli({registerArg(target, "2"), "write", profile()}).status, 0);
    EXPECT_EQ(runCli({registerArg(target, "2"), "verify", profile()}).status, 0);
}

TEST_F(CliExit, DifferencesAreOne)
{
    const CliOutcome verify = runCli({registerArg(target, "2"), "--families", "taxes", "verify", profile()});
    EXPECT_EQ(verify.status, 1);
    EXPECT_TRUE(verify.out.contains(QStringLiteral("Пореске стопе 1, Стопа: у каси "))) << verify.out.toStdString();
}

struct Damage {
    const char *name;
    const char *file;
    std::function<void(QByteArray &)> spoil;
    const char *expected; // in the message: the file, line and field
};

class CliDamagedProfile : public CliExit, public ::testing::WithParamInterface<Damage> {};

TEST_P(CliDamagedProfile, IsRefusedNamingFileLineAndFieldAndNothingIsSent)
{
    const Damage &damage = GetParam();
    QFile f(file(QString::fromLatin1(damage.file)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    if (damage.spoil) {
        damage.spoil(bytes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
    } else {
        ASSERT_TRUE(f.remove());
    }
    const CliOutcome write = runCli({registerArg(target, "2"), "write", profile()});
    EXPECT_EQ(write.status, 2);
    EXPECT_TRUE(write.err.contains(QString::fromUtf8(damage.expected))) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains(QStringLiteral("Ништа није послато"))) << write.err.toStdString();
    // The tool ended without opening the port: no request reached the register.
    QCoreApplication::processEvents();
    EXPECT_EQ(target.requestCount(), 0);
    EXPECT_EQ(target.state(), RegisterState::blank());
}

INSTANTIATE_TEST_SUITE_P(
    Damages, CliDamagedProfile,
    ::testing::Values(
        Damage{"MissingFile", "groups.csv", nullptr, "groups.csv"},
        Damage{"ShortLine", "departments.csv",
               [](QByteArray &b) {
                   QList<QByteArray> lines = b.split('\n');
                   lines[2] = "3;\"КРАТКО\"\r";
                   b = lines.join('\n');
               },
               "departments.csv, ред 3"},
        Damage{"BadNumber", "groups.csv",
               [](QByteArray &b) {
                   QList<QByteArray> lines = b.split('\n');
                   lines[1] = lines[1].left(lines[1].lastIndexOf(';') + 1) + "dvadeset\r";
                   b = lines.join('\n');
               },
               "groups.csv, ред 2"},
        Damage{"BadPicture", "logo.png", [](QByteArray &b) { b = "not a picture"; }, "logo.png"}),
    [](const ::testing::TestParamInfo<Damage> &info) { return std::string(info.param.name); });

TEST_F(CliExit, AnUnansweringRegisterIsThreeAndNamed)
{
    PtyRegister::Faults faults;
    faults.silent = true;
    target.setFaults(faults);
    const CliOutcome write = runCli({registerArg(target, "004999"), "write", profile()});
    EXPECT_EQ(write.status, 3);
    EXPECT_TRUE(write.err.contains(QStringLiteral("каса %1 (серијски број 004999)").arg(target.slavePath())))
        << write.err.toStdString();
    EXPECT_TRUE(write.err.contains(QStringLiteral("каса не одговара"))) << write.err.toStdString();
}

TEST_F(CliExit, APortLostDuringTheWriteIsThreeAndNamed)
{
    // The cable is pulled after a few records.
    QObject::connect(&target, &PtyRegister::requestHandled, &target, [this] {
        if (target.requestCount() == 5)
            QTimer::singleShot(0, &target, [this] { target.closeMaster(); });
    });
    const CliOutcome write = runCli({registerArg(target, "6"), "write", profile()});
    EXPECT_EQ(write.status, 3);
    EXPECT_TRUE(write.err.contains(QStringLiteral("каса %1 (серијски број 6), ").arg(target.slavePath())))
        << write.err.toStdString();
    EXPECT_TRUE(write.err.contains(QStringLiteral("порт је отказао"))) << write.err.toStdString();
}

TEST_F(CliExit, APortThatDoesNotOpenIsThree)
{
    const QString missing = dir.filePath("no-such-port");
    const CliOutcome write = runCli({"--register", missing + "=5", "write", profile()});
    EXPECT_EQ(write.status, 3);
    EXPECT_TRUE(write.err.contains(QStringLiteral("каса %1 (серијски број 5): порт се није отворио").arg(missing)))
        << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("vilaron-cli ports"));
}

TEST_F(CliExit, ARefusedRecordIsFourAndNamesEachRegister)
{
    // A revenue share beyond 100 % passes the file's number check but the
    // group write refuses it before sending it.
    QFile f(file("groups.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    lines[6] = lines[6].left(lines[6].lastIndexOf(';') + 1) + "150\r";
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lines.join('\n'));
    f.close();
    PtyRegister other{RegisterState::blank()};
    const CliOutcome write =
        runCli({registerArg(target, "8"), registerArg(other, "9"), "--families", "groups", "write", profile()});
    EXPECT_EQ(write.status, 4) << write.err.toStdString();
    // Each names the refused record as groups.csv numbers it and says it was not sent.
    for (const auto &[reg, serial] : {std::pair{&target, "8"}, std::pair{&other, "9"}})
        EXPECT_TRUE(write.err.contains(QStringLiteral("каса %1 (серијски број %2), Групе 6: запис није послат у касу")
                                           .arg(reg->slavePath(), QLatin1String(serial))))
            << write.err.toStdString();
    // The records before the refused one reached the register, the refused one did not.
    // Line 7 of the file is group 6.
    EXPECT_EQ(target.state().groups[5].name, demo.state().groups[5].name);
    EXPECT_EQ(target.state().groups[6], RegisterState::blank().groups[6]);
}

} // namespace
