#include "link/telnetcodec.h"

#include <gtest/gtest.h>

namespace {

using T = TelnetCodec;

QByteArray b(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int v : bytes)
        out.append(static_cast<char>(v));
    return out;
}

QByteArray settingsSubs()
{
    return b({T::Iac, T::Sb, T::ComPort, 1, 0x00, 0x00, 0xE1, 0x00, T::Iac, T::Se, //
              T::Iac, T::Sb, T::ComPort, 2, 8, T::Iac, T::Se,                     //
              T::Iac, T::Sb, T::ComPort, 3, 1, T::Iac, T::Se,                     //
              T::Iac, T::Sb, T::ComPort, 4, 1, T::Iac, T::Se,                     //
              T::Iac, T::Sb, T::ComPort, 5, 1, T::Iac, T::Se});
}

// The server's answer to one setting: command + 100 and its value.
QByteArray answer(int command, QByteArray value)
{
    return b({T::Iac, T::Sb, T::ComPort, command + 100}) + value + b({T::Iac, T::Se});
}

QByteArray allConfirmed()
{
    return answer(1, b({0, 0, 0xE1, 0})) + answer(2, b({8})) + answer(3, b({1})) + answer(4, b({1}))
         + answer(5, b({1}));
}

struct OptionCase {
    const char *name;
    QByteArray fromServer;
    QByteArray reply; // what the client must send back
};

class TelnetOptions : public ::testing::TestWithParam<OptionCase> {};

TEST_P(TelnetOptions, AnswersAsTelnetSays)
{
    TelnetCodec codec;
    codec.start();
    const auto out = codec.feed(GetParam().fromServer);
    EXPECT_EQ(out.reply.toHex(' '), GetParam().reply.toHex(' '));
    EXPECT_TRUE(out.data.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Negotiation, TelnetOptions,
    ::testing::Values(
        OptionCase{"comPortTakenSendsTheSettings", b({T::Iac, T::Do, T::ComPort}), settingsSubs()},
        OptionCase{"answersToOurRequestsNeedNoReply",
                   b({T::Iac, T::Do, T::Binary, T::Iac, T::Will, T::Binary, T::Iac, T::Will, T::SuppressGoAhead}), {}},
        OptionCase{"echoOfferedIsRefused", b({T::Iac, T::Will, 1}), b({T::Iac, T::Dont, 1})},
        OptionCase{"terminalTypeAskedIsRefused", b({T::Iac, T::Do, 24}), b({T::Iac, T::Wont, 24})},
        OptionCase{"refusalOfWhatIsOffIsNotAnswered", b({T::Iac, T::Dont, 24, T::Iac, T::Wont, 1}), {}},
        OptionCase{"eachAskingIsRefused", b({T::Iac, T::Do, 24, T::Iac, T::Do, 24}), b({T::Iac, T::Wont, 24, T::Iac, T::Wont, 24})},
        OptionCase{"binaryDroppedLaterIsAcknowledged",
                   b({T::Iac, T::Do, T::Binary, T::Iac, T::Dont, T::Binary}), b({T::Iac, T::Wont, T::Binary})},
        OptionCase{"suppressGoAheadAskedIsTaken", b({T::Iac, T::Do, T::SuppressGoAhead}), b({T::Iac, T::Will, T::SuppressGoAhead})}),
    [](const auto &info) { return std::string(info.param.name); });

struct DataCase {
    const char *name;
    QByteArray fromServer;
    QByteArray data;
};

class TelnetData : public ::testing::TestWithParam<DataCase> {};

TEST_P(TelnetData, SeparatesTheRegistersBytes)
{
    // Every split of the input gives the same bytes.
    for (int cut = 0; cut <= GetParam().fromServer.size(); ++cut) {
        TelnetCodec split;
        split.start();
        QByteArray got = split.feed(GetParam().fromServer.left(cut)).data;
        got += split.feed(GetParam().fromServer.mid(cut)).data;
        EXPECT_EQ(got.toHex(' '), GetParam().data.toHex(' ')) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Unescaping, TelnetData,
    ::testing::Values(DataCase{"plain", b({0xAA, 0x01, 0x0D}), b({0xAA, 0x01, 0x0D})},
                      DataCase{"doubledIacIsOneByte", b({0x41, T::Iac, T::Iac, 0x42}), b({0x41, 0xFF, 0x42})},
                      DataCase{"emptyName", b({T::Iac, T::Iac, T::Iac, T::Iac, T::Iac, T::Iac}), b({0xFF, 0xFF, 0xFF})},
                      DataCase{"commandsInsideData", b({0x41, T::Iac, 241, 0x42, T::Iac, T::Do, 24, 0x43}),
                               b({0x41, 0x42, 0x43})},
                      DataCase{"subnegotiationInsideData", b({0x41}) + answer(6, b({0x60})) + b({0x42}), b({0x41, 0x42})}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TelnetCodec, EscapesEveryIacByte)
{
    EXPECT_EQ(TelnetCodec::escape(b({0x41, 0xFF, 0xFF, 0x0D})).toHex(' '), b({0x41, 0xFF, 0xFF, 0xFF, 0xFF, 0x0D}).toHex(' '));
    EXPECT_EQ(TelnetCodec::escape(b({0xAA, 0x0D})).toHex(), b({0xAA, 0x0D}).toHex());
}

struct SettingCase {
    const char *name;
    QByteArray answers;
    int refused;          // how many settings the server did not take
    const char *refusal;  // the text of the refused one, if any
};

class TelnetSettings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(TelnetSettings, ComparesEveryAnswerWithTheRequest)
{
    TelnetCodec codec;
    codec.start();
    codec.feed(b({T::Iac, T::Do, T::ComPort}));
    const auto out = codec.feed(GetParam().answers);
    ASSERT_EQ(out.settings.size(), TelnetCodec::SettingCount);
    EXPECT_TRUE(codec.settingsAnswered());
    int refused = 0;
    for (const auto &s : out.settings)
        if (!s.confirmed) {
            ++refused;
            EXPECT_EQ(s.answered, QString::fromUtf8(GetParam().refusal));
        }
    EXPECT_EQ(refused, GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TelnetSettings,
    ::testing::Values(
        SettingCase{"allTaken", allConfirmed(), 0, ""},
        SettingCase{"slowerBaud", answer(1, b({0, 0, 0x25, 0x80})) + allConfirmed().mid(10), 1, "9600 бод"},
        SettingCase{"evenParity", allConfirmed().left(17) + answer(3, b({3})) + allConfirmed().mid(24), 1, "парна"},
        SettingCase{"hardwareFlow", allConfirmed().left(31) + answer(5, b({3})), 1, "RTS/CTS"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TelnetCodec, ServerThatWillNotSetTheLineIsReported)
{
    TelnetCodec codec;
    codec.start();
    const auto out = codec.feed(b({T::Iac, T::Dont, T::ComPort}));
    EXPECT_TRUE(out.comPortRefused);
    EXPECT_TRUE(out.reply.isEmpty());
}

} // namespace
