#include "protocol/commands.h"
#include "protocol/frame.h"
#include "params/headerlines/headerlinefamily.h"
#include "support/familylink.h"
#include "transfer/drivernotices.h"

#include <gtest/gtest.h>

namespace {

const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");

QByteArray reply(std::uint8_t command, const QByteArray &data)
{
    return Frame::build({0x00, 0x45, 0x12}, 0x01, command, data);
}

// A read reply: one skipped byte, then the text bytes.
QByteArray readReply(std::uint8_t skipped, const QByteArray &text)
{
    return reply(101, QByteArray(1, char(skipped)) + text);
}

struct Rig : public ::testing::Test, FamilyLink {
    HeaderLineFamily lines{ctx};
    QStringList statuses;
    QList<int> progress;
    QStringList errors;

    Rig()
    {
        driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
        QObject::connect(&lines, &HeaderLineFamily::status, [this](const QString &s) { statuses << s; });
        QObject::connect(&lines, &HeaderLineFamily::progress, [this](int v) { progress << v; });
        QObject::connect(&lines, &HeaderLineFamily::programError, [this](const QString &e) { errors << e; });
    }
    // The line index of the last request written.
    int lastIndex() const { return static_cast<std::uint8_t>(port.last().at(9)); }
};

TEST_F(Rig, ReadStartsWithTheRequestForLineZero)
{
    int started = 0;
    QObject::connect(&lines, &HeaderLineFamily::readStarted, [&] { ++started; });
    lines.btnReadClicheClick();
    EXPECT_EQ(started, 1);
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 65 01 00 7A 88 0D"));
    EXPECT_EQ(statuses, QStringList{Reading});
    EXPECT_EQ(driver.transferIndex(), 0);
}

TEST_F(Rig, ReadFillsAllEightLinesInOrder)
{
    lines.btnReadClicheClick();
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(lastIndex(), i);
        driver.received(readReply(std::uint8_t(i), QByteArray("LINE ") + QByteArray::number(i)));
    }
    ASSERT_EQ(port.writes.size(), 8);
    // The second request carries the sequence byte grown by 2.
    EXPECT_EQ(port.writes[1], hexBytes("AA 01 11 00 45 12 03 65 01 01 7D 8B 0D"));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(lines.line(i), QStringLiteral("LINE %1").arg(i));
    EXPECT_EQ(statuses, (QStringList{Reading, QStringLiteral("Завршено читање")}));
    EXPECT_EQ(progress, (QList<int>{16, 16, 16, 16, 16, 16, 16, 16, 0}));
    EXPECT_FALSE(driver.isBusy());
}

TEST_F(Rig, ReadFillsTheRequestedLineWhateverByteNineSays)
{
    QList<QPair<int, QString>> filled;
    QObject::connect(&lines, &HeaderLineFamily::lineRead, [&](int i, const QString &t) { filled.append({i, t}); });
    lines.btnReadClicheClick();
    driver.received(readReply(5, "FIRST"));
    EXPECT_EQ(lines.line(0), QStringLiteral("FIRST"));
    EXPECT_EQ(lines.line(5), QString());
    ASSERT_EQ(filled.size(), 1);
    EXPECT_EQ(filled[0].first, 0);
    EXPECT_EQ(lastIndex(), 1);
}

TEST_F(Rig, ReplyWithoutTextClearsTheLine)
{
    lines.setLine(0, QStringLiteral("old text"));
    lines.btnReadClicheClick();
    driver.received(reply(101, QByteArray(1, '\0'))); // N = 1
    EXPECT_EQ(lines.line(0), QString());
}

TEST_F(Rig, LongTextIsShownWholeWithTrailingBlanksAndWrittenCutTo19)
{
    lines.btnReadClicheClick();
    driver.received(readReply(0, "ABCDEFGHIJKLMNOPQRSTUVWXY  "));
    EXPECT_EQ(lines.line(0), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY  "));
    port.writes.clear();
    // Finish the read, then write.
    for (int i = 1; i < 8; ++i)
        driver.received(readReply(0, ""));
    driver.reset();
    port.writes.clear();
    lines.btnWriteClicheClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 66 14 00 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 "
                                    "51 52 53 0C DE 0D"));
}

struct WriteCase {
    const char *text;
    const char *frame;
};

class WriteFrames : public Rig, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteFrames, FirstRequestCarriesThePaddedLine)
{
    lines.setLine(0, QString::fromLatin1(GetParam().text));
    lines.btnWriteClicheClick();
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last(), hexBytes(GetParam().frame));
}

INSTANTIATE_TEST_SUITE_P(
    HeaderLineFamily, WriteFrames,
    ::testing::Values(
        WriteCase{"ABC", "AA 01 11 00 45 12 01 66 14 00 41 42 43 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 54 DE 0D"},
        WriteCase{"", "AA 01 11 00 45 12 01 66 14 00 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 EE BE 0D"},
        WriteCase{"ABCDEFGHIJKLMNOPQR",
                  "AA 01 11 00 45 12 01 66 14 00 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 20 D9 AD 0D"}));

TEST_F(Rig, WriteNeedsEightRepliesAndUsesTheTextAtBuildTime)
{
    for (int i = 0; i < 8; ++i)
        lines.setLine(i, QStringLiteral("L%1").arg(i));
    lines.btnWriteClicheClick();
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, (QList<int>{16, 0}));
    for (int i = 0; i < 7; ++i) {
        if (i == 2)
            lines.setLine(5, QStringLiteral("changed"));
        driver.received(reply(102, QByteArray()));
        ASSERT_EQ(port.writes.size(), i + 2);
        EXPECT_EQ(lastIndex(), i + 1);
        EXPECT_EQ(statuses.size(), 1);
    }
    EXPECT_EQ(port.writes[5].mid(10, 19), QByteArray("changed            "));
    EXPECT_EQ(port.writes[7].mid(10, 19), QByteArray("L7                 "));
    driver.received(reply(102, QByteArray("any")));
    EXPECT_EQ(port.writes.size(), 8);
    EXPECT_EQ(statuses.last(), QStringLiteral("Завршен упис рекламних порука"));
    EXPECT_EQ(progress, (QList<int>{16, 0, 16, 0}));
    EXPECT_FALSE(driver.isBusy());
}

TEST_F(Rig, ReplyFedByteByByteGivesTheSameLine)
{
    lines.btnReadClicheClick();
    const QByteArray frame = readReply(0, "SPLIT");
    for (char c : frame)
        driver.received(QByteArray(1, c));
    EXPECT_EQ(lines.line(0), QStringLiteral("SPLIT"));
    EXPECT_EQ(lastIndex(), 1);
}

TEST_F(Rig, NoReplyLeavesTheStatusAndTheLinesAlreadyRead)
{
    QStringList messages;
    DriverNotices notices{driver};
    QObject::connect(&notices, &DriverNotices::message, [&](const QString &t, const QString &) { messages << t; });
    lines.btnReadClicheClick();
    driver.received(readReply(0, "ONE"));
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Грешка !!! ")});
    EXPECT_EQ(statuses.last(), Reading);
    EXPECT_EQ(lines.line(0), QStringLiteral("ONE"));
    EXPECT_EQ(driver.transferIndex(), 1);
    EXPECT_FALSE(driver.isBusy());
}

TEST(HeaderLineField, CyrillicTextGoesThroughTheDeviceCharacterSet)
{
    EXPECT_EQ(HeaderLineFamily::lineField(QStringLiteral("Први ред")),
              hexBytes("8F B0 A2 A8 20 B0 A5 A4 20 20 20 20 20 20 20 20 20 20 20"));
}

TEST(HeaderLineField, ReadTextIsDecodedFromTheDeviceCharacterSet)
{
    FamilyLink link{Regional::point()};
    HeaderLineFamily lines{link.ctx};
    lines.btnReadClicheClick();
    link.driver.received(readReply(0, hexBytes("8F B0 A2 A8 20 B0 A5 A4")));
    EXPECT_EQ(lines.line(0), QStringLiteral("Први ред"));
}

TEST(HeaderLineField, UnencodableCharactersCannotShiftTheField)
{
    EXPECT_EQ(HeaderLineFamily::lineField(QStringLiteral("\U0001F600AB")).size(), 19);
    EXPECT_EQ(HeaderLineFamily::lineField(QString(40, QLatin1Char('x'))), QByteArray(19, 'x'));
}

} // namespace
