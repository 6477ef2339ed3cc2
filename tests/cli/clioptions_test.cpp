// The command line: what it accepts and what it refuses, with a message that
// says what to do.
#include "cli/clioptions.h"

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char *> words)
{
    QStringList list{QStringLiteral("vilaron-cli")};
    for (const char *w : words)
        list << QString::fromUtf8(w);
    return list;
}

TEST(CliOptions, ReadsEveryOption)
{
    CliOptions o;
    QString error;
    ASSERT_TRUE(CliOptions::parse(args({"--register", "/dev/ttyUSB0=004512", "--register=COM3=004513", "--families",
                                        "header,logo", "--changes-only", "--verify", "--trace", "t.txt", "--json",
                                        "write", "shop"}),
                                  &o, &error))
        << error.toStdString();
    EXPECT_EQ(o.command, CliOptions::Command::Write);
    EXPECT_EQ(o.profile, "shop");
    ASSERT_EQ(o.registers.size(), 2);
    EXPECT_EQ(o.registers[0].port, "/dev/ttyUSB0");
    EXPECT_EQ(o.registers[1].serial, "004513");
    EXPECT_EQ(o.registers[1].label(), "COM3 (серијски број 004513)");
    EXPECT_EQ(*o.families, ProfileFamilies(ProfileFamily::Header | ProfileFamily::Logo));
    EXPECT_TRUE(o.changesOnly && o.verify && o.json);
    EXPECT_FALSE(o.withPasswords);
    EXPECT_EQ(o.trace, "t.txt");
}

TEST(CliOptions, TakesNetworkPortsAndTheFindCommand)
{
    CliOptions o;
    QString error;
    ASSERT_TRUE(CliOptions::parse(args({"--register", "rfc2217://10.0.0.5:4001=004512", "--register=tcp://[::1]:23=1",
                                        "read", "shop"}),
                                  &o, &error))
        << error.toStdString();
    EXPECT_EQ(o.registers[0].port, "rfc2217://10.0.0.5:4001");
    EXPECT_EQ(o.registers[0].serial, "004512");
    EXPECT_EQ(o.registers[1].port, "tcp://[::1]:23");
    ASSERT_TRUE(CliOptions::parse(args({"find", "--serial", "004512"}), &o, &error)) << error.toStdString();
    EXPECT_EQ(o.command, CliOptions::Command::Find);
    EXPECT_EQ(o.findSerial, "004512");
}

TEST(CliOptions, HelpAndVersionNeedNothingElse)
{
    CliOptions o;
    QString error;
    ASSERT_TRUE(CliOptions::parse(args({"--help"}), &o, &error));
    EXPECT_EQ(o.action, CliOptions::Action::Help);
    ASSERT_TRUE(CliOptions::parse(args({"--version"}), &o, &error));
    EXPECT_EQ(o.action, CliOptions::Action::Version);
    ASSERT_TRUE(CliOptions::parse(args({"ports"}), &o, &error));
    EXPECT_EQ(o.command, CliOptions::Command::Ports);
}

// The help speaks the program's language; the option and command names stay.
class CliHelp : public ::testing::TestWithParam<const char *> {};

TEST_P(CliHelp, IsInSerbianAndDescribesEveryOption)
{
    EXPECT_TRUE(CliOptions::helpText().contains(QString::fromUtf8(GetParam()))) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, CliHelp,
                         ::testing::Values("Употреба: vilaron-cli", "--register PORT=SERIAL", "Команде:",
                                           "verify PROFILE   пореди", "--retry-ms N            колико милисекунди",
                                           "подразумевано 5000", "Излазни статус: 0 готово", "rfc2217://HOST:PORT",
                                           "find             шаље", "--serial NNNNNN"));

TEST(CliOptions, TakesARetryTimeInItsRange)
{
    CliOptions o;
    QString error;
    ASSERT_TRUE(CliOptions::parse(args({"--retry-ms", "60000", "ports"}), &o, &error)) << error.toStdString();
    EXPECT_EQ(o.retryMs, 60000);
    ASSERT_TRUE(CliOptions::parse(args({"ports"}), &o, &error));
    EXPECT_EQ(o.retryMs, 5000);
}

struct Refusal {
    const char *name;
    QStringList arguments;
    const char *message;
};

class CliOptionsRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(CliOptionsRefused, SaysWhatIsWrongAndWhereToLook)
{
    CliOptions o;
    QString error;
    EXPECT_FALSE(CliOptions::parse(GetParam().arguments, &o, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().message))) << error.toStdString();
    EXPECT_TRUE(error.contains("vilaron-cli --help")) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, CliOptionsRefused,
    ::testing::Values(Refusal{"NoCommand", args({"--register", "A=1"}), "Није дата команда"},
                      Refusal{"UnknownCommand", args({"copy", "p"}), "Непозната команда 'copy'"},
                      Refusal{"NoProfile", args({"--register", "A=1", "write"}), "тражи фасциклу PROFILE"},
                      Refusal{"NoRegister", args({"verify", "p"}), "тражи бар једно --register"},
                      Refusal{"RegisterWithoutSerial", args({"--register", "A", "read", "p"}), "PORT=SERIAL"},
                      Refusal{"EmptySerial", args({"--register", "A=", "read", "p"}), "PORT=SERIAL"},
                      Refusal{"PortTwice", args({"--register", "A=1", "--register", "A=2", "read", "p"}),
                              "Порт A је дат двапут"},
                      Refusal{"SerialTwice", args({"--register", "A=1", "--register", "B=1", "read", "p"}),
                              "Серијски број 1 је дат двапут"},
                      Refusal{"UnknownFamily", args({"--register", "A=1", "--families", "header,coins", "read", "p"}),
                              "--families"},
                      Refusal{"PasswordsNotAskedFor",
                              args({"--register", "A=1", "--families", "passwords", "read", "p"}),
                              "--with-passwords"},
                      Refusal{"ChangesOnlyWithRead", args({"--register", "A=1", "--changes-only", "read", "p"}),
                              "--changes-only иде уз"},
                      Refusal{"BackupWithRead", args({"--register", "A=1", "--backup", "read", "p"}),
                              "--backup иде уз"},
                      Refusal{"AnySerialWithWrite", args({"--register", "A=1", "--any-serial", "write", "p"}),
                              "--any-serial иде уз"},
                      Refusal{"RestoreWithoutBackup", args({"--register", "A=1", "restore"}),
                              "фасциклу резервне копије"},
                      Refusal{"SerialWithRead", args({"--register", "A=1", "--serial", "123456", "read", "p"}),
                              "--serial иде уз"},
                      Refusal{"ValueMissing", args({"read", "p", "--trace"}), "--trace тражи вредност"},
                      Refusal{"UnknownOption", args({"--fast", "ports"}), "Непозната опција '--fast'"},
                      Refusal{"TooMany", args({"--register", "A=1", "read", "p", "q"}), "Превише аргумената"},
                      Refusal{"RetryZero", args({"--retry-ms", "0", "ports"}), "--retry-ms је број милисекунди"},
                      Refusal{"RetryTooLong", args({"--retry-ms", "60001", "ports"}), "од 1 до 60000"},
                      Refusal{"RetryNotANumber", args({"--retry-ms", "5s", "ports"}), "--retry-ms"},
                      Refusal{"UrlWithoutPort", args({"--register", "tcp://10.0.0.5=1", "read", "p"}),
                              "адреса није облика tcp://HOST:PORT"},
                      Refusal{"FindWithoutSerial", args({"find"}), "Команда find тражи --serial"},
                      Refusal{"FindShortSerial", args({"find", "--serial", "4512"}), "шест цифара"}),
    [](const ::testing::TestParamInfo<Refusal> &info) { return std::string(info.param.name); });

} // namespace
