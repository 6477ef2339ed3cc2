#include "params/logo/logopasswordrig.h"
#include "params/logo/logopicture.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање лозинки");
const QString WriteDone = QStringLiteral("Завршен упис лозинки");
const QString BadPasswords = QStringLiteral("ГРЕШКА|Лоше лозинке!");
using Op = LogoPasswordRecord::Operation;
using Frames = LogoPasswordRig;

// ---- validation ---------------------------------------------------------------

struct ParseCase {
    const char16_t *text;
    bool accepted;
    quint32 value;
};

class PasswordParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PasswordParsing, OneToSixDigitsAfterTrimming)
{
    const ParseCase &c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    const std::optional<std::uint32_t> value = PasswordFamily::parse(text);
    ASSERT_EQ(value.has_value(), c.accepted) << text.toStdString();
    if (c.accepted) {
        EXPECT_EQ(*value, c.value) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PasswordParsing,
    ::testing::Values(ParseCase{u"123456", true, 123456}, ParseCase{u"0", true, 0}, ParseCase{u"000000", true, 0},
                      ParseCase{u"000123", true, 123}, ParseCase{u"999999", true, 999999},
                      ParseCase{u"  42  ", true, 42}, ParseCase{u"\t7\r\n", true, 7},
                      ParseCase{u" 123456 ", true, 123456}, ParseCase{u"", false, 0}, ParseCase{u"   ", false, 0},
                      ParseCase{u"1234567", false, 0}, ParseCase{u"0000000", false, 0},
                      ParseCase{u"12a4", false, 0}, ParseCase{u"a", false, 0}, ParseCase{u"12 34", false, 0},
                      ParseCase{u"+12", false, 0}, ParseCase{u"-1", false, 0}, ParseCase{u"1,5", false, 0},
                      ParseCase{u"1.5", false, 0}, ParseCase{u"\u0663\u0664", false, 0}, // Arabic-Indic digits
                      ParseCase{u"\uFF11\uFF12", false, 0},                                 // full-width digits
                      ParseCase{u"\u00A012", false, 0}));                                  // no-break space stays

// ---- transfers on the fake link ---------------------------------------------------

struct Rig : ::testing::TestWithParam<char>, LogoPasswordRig {
    Rig() : LogoPasswordRig(GetParam(), Passwords) {}
    void readRecord(quint32 service, quint32 report, int height)
    {
        passwords.BtnLozinkaReadClick();
        driver.received(recordReply(service, report, height));
    }
};

TEST_P(Rig, ReadShowsBothPasswordsWithoutLeadingZeros)
{
    QImage p(10, 10, QImage::Format_RGB32);
    p.fill(0xFF000000);
    ASSERT_TRUE(logo.setPicture(p));
    passwords.BtnLozinkaReadClick();
    EXPECT_EQ(readsStarted, 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 67 00 7B 8B 0D"));
    EXPECT_EQ(logo.record().pending(), Op::PasswordRead);
    EXPECT_EQ(statuses, QStringList{Reading});
    driver.received(recordReply(123, 4000000000u, 17));
    EXPECT_EQ(shown, QStringList{QStringLiteral("123/4000000000")});
    EXPECT_EQ(passwords.serviceText(), QStringLiteral("123"));
    EXPECT_EQ(statuses, (QStringList{Reading, ReadDone}));
    EXPECT_EQ(progress, QList<int>{0});
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_EQ(logo.record().logoHeight(), 17);
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_FALSE(driver.isBusy());
    // The logo image is left alone.
    EXPECT_EQ(logo.picture().size(), QSize(10, 10));
}

TEST_P(Rig, WriteSendsTheNumbersAndTheHeightJustRead)
{
    readRecord(1, 2, 5);
    port.writes.clear();
    passwords.setServiceText(QStringLiteral("007"));
    passwords.setReportText(QStringLiteral(" 42 "));
    passwords.BtnLozinkaWriteClick();
    EXPECT_EQ(logo.record().pending(), Op::PasswordWrite);
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 68 09 07 00 00 00 2A 00 00 00 05 BD A7 0D"));
    EXPECT_EQ(statuses.last(), Reading);
    driver.received(reply(104, QByteArray()));
    EXPECT_EQ(statuses.last(), WriteDone);
    EXPECT_EQ(progress.last(), 0);
    EXPECT_EQ(logo.record().pending(), Op::None);
    // The fields keep what was typed.
    EXPECT_EQ(passwords.serviceText(), QStringLiteral("007"));
}

TEST_P(Rig, LargestAndSmallestPasswords)
{
    readRecord(1, 2, 0);
    port.writes.clear();
    passwords.setServiceText(QStringLiteral("999999"));
    passwords.setReportText(QStringLiteral("0"));
    passwords.BtnLozinkaWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 68 09 3F 42 0F 00 00 00 00 00 00 17 FD 0D"));
}

struct RefusedPair {
    const char *service;
    const char *report;
};

struct Refusals : ::testing::TestWithParam<std::tuple<char, RefusedPair>>, LogoPasswordRig {
    Refusals() : LogoPasswordRig(std::get<0>(GetParam()), Passwords) {}
};

TEST_P(Refusals, BadFieldSendsNothing)
{
    passwords.BtnLozinkaReadClick();
    driver.received(recordReply(1, 2, 3));
    port.writes.clear();
    passwords.setServiceText(QString::fromUtf8(std::get<1>(GetParam()).service));
    passwords.setReportText(QString::fromUtf8(std::get<1>(GetParam()).report));
    passwords.BtnLozinkaWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(messages, QStringList{BadPasswords});
    EXPECT_EQ(statuses.last(), Reading);
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_FALSE(driver.isBusy());
}

INSTANTIATE_TEST_SUITE_P(Fields, Refusals,
                         ::testing::Combine(::testing::Values(',', '.'),
                                            ::testing::Values(RefusedPair{"1234567", "1"}, RefusedPair{"1", "1234567"},
                                                              RefusedPair{"", "1"}, RefusedPair{"1", ""},
                                                              RefusedPair{"12a", "1"}, RefusedPair{"1", "x"},
                                                              RefusedPair{"1,5", "2"}, RefusedPair{"2", "1.5"})));

TEST_P(Rig, WriteBeforeAnyRecordIsRefused)
{
    passwords.setServiceText(QStringLiteral("1"));
    passwords.setReportText(QStringLiteral("2"));
    passwords.BtnLozinkaWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("ГРЕШКА|")));
    EXPECT_EQ(logo.record().pending(), Op::None);
    // A read that got no reply does not help either.
    passwords.BtnLozinkaReadClick();
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    port.writes.clear();
    passwords.BtnLozinkaWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(messages.size(), 2);
}

TEST_P(Rig, WriteAfterALogoWriteCarriesTheRowsWritten)
{
    ASSERT_TRUE(logo.setPicture(LogoPicture::blank(2)));
    logo.btnLogoWriteClick();
    driver.received(recordReply(11, 22, 42));
    driver.received(reply(120, QByteArray(1, '\0')));
    driver.received(reply(120, QByteArray(1, '\1')));
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 07 68 09 0B 00 00 00 16 00 00 00 02 AE 94 0D"));
    driver.received(reply(104, QByteArray()));
    // The passwords' status line is not told about the logo.
    EXPECT_TRUE(statuses.isEmpty());
    passwords.setServiceText(QStringLiteral("1"));
    passwords.setReportText(QStringLiteral("2"));
    passwords.BtnLozinkaWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 09 68 09 01 00 00 00 02 00 00 00 02 92 84 0D"));
}

TEST_P(Rig, TheLatestButtonDecidesWhatTheRecordIsFor)
{
    logo.btnLogoReadClick();
    passwords.BtnLozinkaReadClick();
    driver.received(recordReply(5, 6, 3));
    // The password read took over: no row request, the passwords shown.
    EXPECT_EQ(shown, QStringList{QStringLiteral("5/6")});
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(quint8(port.last().at(7)), 0x67);
    // And the other way round.
    passwords.BtnLozinkaReadClick();
    logo.btnLogoReadClick();
    driver.received(recordReply(5, 6, 3));
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(quint8(port.last().at(7)), 0x77);
}

TEST_P(Rig, ShortRecordShowsNothingAndEnds)
{
    passwords.setServiceText(QStringLiteral("typed"));
    passwords.BtnLozinkaReadClick();
    driver.received(reply(103, hexBytes("01 02 03 04 05 06 07 08")));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(passwords.serviceText(), QStringLiteral("typed"));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(logo.record().pending(), Op::None);
    EXPECT_FALSE(logo.record().heightKnown());
}

TEST_P(Rig, RecordRepliesWithNothingPendingChangeOnlyTheStoredRecord)
{
    driver.received(recordReply(8, 9, 4));
    driver.received(reply(104, QByteArray()));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(logo.record().logoHeight(), 4);
}

TEST(PasswordLifetime, RecordOwnerDestroyedFirst)
{
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx{driver, Regional::comma()};
    auto logo = std::make_unique<LogoFamily>(ctx);
    PasswordFamily passwords{ctx, logo->record()};
    logo.reset();
    passwords.BtnLozinkaReadClick();
    passwords.BtnLozinkaWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
}

TEST(PasswordLifetime, PasswordsDestroyedFirst)
{
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
    FamilyContext ctx{driver, Regional::comma()};
    LogoFamily logo{ctx};
    {
        PasswordFamily passwords{ctx, logo.record()};
        passwords.BtnLozinkaReadClick();
    }
    driver.received(Frames::recordReply(1, 2, 3)); // no branch left: nothing happens
    EXPECT_EQ(logo.record().servicePassword(), 1u);
    EXPECT_EQ(port.writes.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Separators, Rig, ::testing::Values(',', '.'));

} // namespace
