// A family added to the catalogue (known only to this test) goes through the
// command-line tool as the register's own do: named in --families, read into
// its profile file, verified field by field and written as changes only.
#include "profile/profilefolder.h"
#include "support/notesfamily.h"
#include "tests/cli/clirig.h"

namespace {

TEST(NinthFamily, GoesThroughTheCommandLineToolAndTheProfileFolder)
{
    NotesFamily::Registration notes;
    PtyRegister reg{RegisterState::demo()};
    QTemporaryDir dir;
    ASSERT_TRUE(reg.isOpen() && dir.isValid());
    reg.state().headerLines[1] = RegisterState::headerLineField(QStringLiteral("ПРВА"));
    const QString profile = dir.filePath("p");

    const CliOutcome unknown = runCli({registerArg(reg, "5"), "--families", "notez", "read", profile});
    EXPECT_NE(unknown.status, 0);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("passwords,notes"))) << unknown.err.toStdString();

    const CliOutcome read = runCli({registerArg(reg, "5"), "--families", "notes", "read", profile});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    RegisterProfile stored;
    ProfileError error;
    ASSERT_TRUE(ProfileFolder::read(profile, Regional::comma(), std::nullopt, &stored, &error)) << error.text.toStdString();
    ASSERT_EQ(stored.otherTables.value(NotesFamily::Id).size(), NotesTable::Count);
    EXPECT_EQ(stored.otherTables.value(NotesFamily::Id).at(1).value(0), QStringLiteral("ПРВА"));

    reg.state().headerLines[1] = RegisterState::headerLineField(QStringLiteral("ДРУГА"));
    const CliOutcome verify = runCli({registerArg(reg, "5"), "verify", profile});
    EXPECT_EQ(verify.status, 1) << verify.err.toStdString();
    EXPECT_EQ(verify.out, QStringLiteral("%1 (серијски број 5): Белешке 2, Белешка: у каси ДРУГА, у профилу ПРВА\n")
                              .arg(reg.slavePath()));

    reg.clearLog();
    const CliOutcome write = runCli({registerArg(reg, "5"), "--changes-only", "write", profile});
    EXPECT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_EQ(reg.state().headerLines[1], RegisterState::headerLineField(QStringLiteral("ПРВА")));
    int writes = 0;
    for (const auto &h : reg.log())
        writes += h.code == Command::WriteHeaderLine ? 1 : 0;
    EXPECT_EQ(writes, 1);
}

} // namespace
