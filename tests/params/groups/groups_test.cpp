#include "protocol/frame.h"
#include "params/groups/grouprecord.h"
#include "params/groups/groups.h"
#include "params/groups/namefield.h"
#include "support/familyrig.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

const QString Reading = QStringLiteral("Читање група у току");
const QString ReadDone = QStringLiteral("Завршено читање група");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис група");
const QString Refusal = QStringLiteral("Грешка !!! |Грешка у подацима. Унос отказан!");

QString u(const char *text) { return QString::fromUtf8(text); }

QByteArray reply(std::uint8_t command, const QByteArray &data)
{
    return Frame::build({0x00, 0x45, 0x12}, 0x01, command, data);
}

// A group record as the register sends it: number, 19 name bytes, share
// (low byte first), turnover whole part (low byte first) and hundredths.
QByteArray groupRecord(int group, const QByteArray &name19, const char *shareAndTurnoverHex)
{
    QByteArray d(1, char(group));
    d.append(name19);
    d.append(hexBytes(shareAndTurnoverHex));
    return d;
}

QByteArray padded(const QByteArray &bytes, int width = 19) { return bytes + QByteArray(width - bytes.size(), '\0'); }

// ---- the name field -----------------------------------------------------

struct EncodeCase {
    const char *cell;
    const char *fieldHex;
};

class NameEncoding : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(NameEncoding, FillsNineteenBytes)
{
    const QByteArray field = NameField::encode(u(GetParam().cell));
    EXPECT_EQ(field.size(), 19);
    EXPECT_EQ(field.toHex(' ').toUpper(), hexBytes(GetParam().fieldHex).toHex(' ').toUpper()) << GetParam().cell;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, NameEncoding,
    ::testing::Values(
        EncodeCase{"", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        EncodeCase{"     ", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        EncodeCase{" \t\r\n", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        EncodeCase{"ABCD", "41 42 43 44 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        EncodeCase{"  AB CD \t", "41 42 20 43 44 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        EncodeCase{"Група 0", "83 B0 B3 AF A0 20 30 00 00 00 00 00 00 00 00 00 00 00 00"},
        // 25 characters: the first 18 travel, the last byte stays zero.
        EncodeCase{"ABCDEFGHIJKLMNOPQRSTUVWXY", "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 00"},
        EncodeCase{"@[x]", "5F 5E 78 5C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}));

struct DecodeCase {
    const char *fieldHex;
    const char *name;
};

class NameDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(NameDecoding, ReadsTheFirstEighteenBytes)
{
    EXPECT_EQ(NameField::decode(hexBytes(GetParam().fieldHex)), u(GetParam().name)) << GetParam().fieldHex;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, NameDecoding,
    ::testing::Values(
        DecodeCase{"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", ""},
        DecodeCase{"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", ""},
        DecodeCase{"41 42 43 44 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", "ABCD"},
        DecodeCase{"41 00 42 01 43 1F 44 00 00 00 00 00 00 00 00 00 00 00 00", "ABCD"},
        DecodeCase{"00 00 FF 41 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", ""},
        DecodeCase{"83 B0 B3 AF A0 20 31 32 00 00 00 00 00 00 00 00 00 00 00", "Група 12"},
        // The nineteenth byte is not looked at.
        DecodeCase{"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 41", ""},
        DecodeCase{"41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 42 43", "AAAAAAAAAAAAAAAAAB"}));

// ---- the revenue share --------------------------------------------------

enum Outcome { Accepted, Refused, Throws };

struct ShareCase {
    char decimal;
    const char *text;
    Outcome outcome;
    int wire;
};

class ShareConversion : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ShareConversion, Converts)
{
    const ShareCase &c = GetParam();
    const Regional regional = Regional::withDecimal(QLatin1Char(c.decimal));
    const QString text = u(c.text);
    if (c.outcome == Throws) {
        try {
            GroupRecord::convertShare(text, regional);
            FAIL() << "no conversion error for " << c.text;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
        return;
    }
    const GroupRecord::Share share = GroupRecord::convertShare(text, regional);
    EXPECT_EQ(share.accepted, c.outcome == Accepted) << c.text;
    if (c.outcome == Accepted) {
        EXPECT_EQ(share.wire, c.wire) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Groups, ShareConversion,
    ::testing::Values(
        ShareCase{',', "100", Accepted, 10000}, ShareCase{',', "0", Accepted, 0},
        ShareCase{',', "0,00", Accepted, 0}, ShareCase{',', "12,5", Accepted, 1250},
        ShareCase{',', "12.5", Accepted, 1250}, ShareCase{',', "8,2", Accepted, 820},
        ShareCase{',', "33,339", Accepted, 3333}, ShareCase{',', " +7", Accepted, 700},
        ShareCase{',', "100,00", Accepted, 10000}, ShareCase{',', "0,009", Accepted, 0},
        ShareCase{',', "101", Refused, 0}, ShareCase{',', "", Refused, 0},
        ShareCase{',', "100.001", Refused, 0}, ShareCase{',', "100,01", Refused, 0},
        ShareCase{',', "655,35", Refused, 0}, ShareCase{',', "700,5", Refused, 0},
        ShareCase{',', "-1", Refused, 0}, ShareCase{',', "-0,5", Refused, 0},
        ShareCase{',', "abc", Refused, 0}, ShareCase{',', "5%", Refused, 0},
        ShareCase{',', "99999999999999999999999", Refused, 0}, ShareCase{',', "1,2,3", Throws, 0},
        ShareCase{',', ",", Throws, 0}, ShareCase{',', "5,x", Throws, 0},
        ShareCase{'.', "100", Accepted, 10000}, ShareCase{'.', "12.5", Accepted, 1250},
        ShareCase{'.', "8.2", Accepted, 820}, ShareCase{'.', "0.00", Accepted, 0},
        ShareCase{'.', "12,5", Refused, 0}, ShareCase{'.', "101", Refused, 0},
        ShareCase{'.', "100.5", Refused, 0}, ShareCase{'.', "-3", Refused, 0},
        ShareCase{'.', "", Refused, 0}, ShareCase{'.', "1.2.3", Throws, 0}, ShareCase{'.', "x.5", Throws, 0}));

// ---- the read reply -----------------------------------------------------

struct ReplyCase {
    const char *shareAndTurnoverHex;
    const char *share;    // with ',' standing for the separator
    const char *turnover; // with ',' standing for the separator
};

class Separator : public ::testing::TestWithParam<char> {
protected:
    QChar d() const { return QLatin1Char(GetParam()); }
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), d()); }
};

TEST_P(Separator, ReplyValuesInThePlainNumberForm)
{
    const ReplyCase cases[] = {
        {"00 00 00 00 00 00 00", "0", "0"},
        {"10 27 D2 04 00 00 05", "100", "1234,05"},
        {"E2 04 FF FF FF FF 63", "12,5", "4294967295,99"},
        {"01 00 01 00 00 00 0A", "0,01", "1,1"},
        {"FF FF 00 00 00 00 FF", "655,35", "2,55"},
    };
    for (const ReplyCase &c : cases) {
        const GroupRecord::Reply r =
            GroupRecord::readReply(groupRecord(3, padded("ABCD"), c.shareAndTurnoverHex), d());
        EXPECT_TRUE(r.complete);
        EXPECT_EQ(r.group, 3);
        EXPECT_EQ(r.name, QStringLiteral("ABCD"));
        EXPECT_EQ(r.share, s(c.share)) << c.shareAndTurnoverHex;
        EXPECT_EQ(r.turnover, s(c.turnover)) << c.shareAndTurnoverHex;
    }
}

TEST_P(Separator, ShortAndEmptyRecords)
{
    const GroupRecord::Reply shortOne = GroupRecord::readReply(hexBytes("05 41 42"), d());
    EXPECT_EQ(shortOne.group, 5);
    EXPECT_FALSE(shortOne.complete);
    const GroupRecord::Reply empty = GroupRecord::readReply(QByteArray(), d());
    EXPECT_FALSE(empty.complete);
    EXPECT_GE(empty.group, 13);
}

// ---- the table model ----------------------------------------------------

TEST_P(Separator, TableStartsWithNumbersNamesAndZeros)
{
    GroupTable table(d());
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(table.rowCount(), 14);
    EXPECT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.cell(0, 0), u("Број"));
    EXPECT_EQ(table.cell(1, 0), u("Назив"));
    EXPECT_EQ(table.cell(2, 0), u("Приход(%)"));
    EXPECT_EQ(table.cell(3, 0), u("Промет"));
    for (int g = 0; g <= 12; ++g) {
        EXPECT_EQ(table.cell(0, g + 1), QString::number(g));
        EXPECT_EQ(table.cell(1, g + 1), u("Група ") + QString::number(g));
        EXPECT_EQ(table.cell(2, g + 1), s("0,00"));
        EXPECT_EQ(table.cell(3, g + 1), s("0,00"));
    }
    EXPECT_FALSE(table.setData(table.index(0, 1), "x"));
    EXPECT_FALSE(table.setData(table.index(5, 0), "x"));
    EXPECT_FALSE(table.flags(table.index(0, 2)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(table.flags(table.index(4, 0)).testFlag(Qt::ItemIsEditable));
    for (int c = 1; c < 4; ++c)
        EXPECT_TRUE(table.flags(table.index(13, c)).testFlag(Qt::ItemIsEditable)) << c;
    EXPECT_TRUE(table.setData(table.index(4, 2), s("7,5")));
    EXPECT_EQ(table.groupCell(3, GroupTable::Share), s("7,5"));
    EXPECT_FALSE(table.setData(table.index(4, 2), "9", Qt::DisplayRole));
    EXPECT_EQ(table.cell(4, 1), QString());
    EXPECT_EQ(table.cell(0, 14), QString());
}

// ---- transfers on the fake link -----------------------------------------

struct Rig : ::testing::TestWithParam<char>, FamilyRig<Groups> {
    Groups &groups = family;

    Rig() : FamilyRig<Groups>(GetParam()) {}
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), QLatin1Char(GetParam())); }
    int lastNumber() const { return lastRecord(); }
    QString cell(int group, GroupTable::Column c) const { return groups.table().groupCell(group, c); }
    void setShares(const QString &text)
    {
        for (int g = 0; g < 13; ++g)
            groups.table().setGroupCell(g, GroupTable::Share, text);
    }
    void acknowledgeAll() { FamilyRig::acknowledgeAll(114); }
};

TEST_P(Rig, ReplyForAnotherNumberWaitsForTheOneAskedFor)
{
    groups.BtnGReadClick();
    EXPECT_EQ(readsStarted, 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 71 01 00 86 9C 0D"));
    EXPECT_EQ(statuses, QStringList{Reading});
    // The register answers group 3 to the request for group 0: a late reply,
    // not the answer. Nothing is filled and nothing more is asked.
    driver.received(reply(113, groupRecord(3, padded("ABCD"), "10 27 D2 04 00 00 05")));
    for (int g = 0; g < 13; ++g) {
        EXPECT_EQ(cell(g, GroupTable::Name), u("Група ") + QString::number(g)) << g;
        EXPECT_EQ(cell(g, GroupTable::Share), s("0,00")) << g;
    }
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_TRUE(timer.active);
    EXPECT_TRUE(progress.isEmpty());
    // The answer for group 0 fills it and asks for group 1.
    driver.received(reply(113, groupRecord(0, padded("ABCD"), "10 27 D2 04 00 00 05")));
    EXPECT_EQ(cell(0, GroupTable::Name), QStringLiteral("ABCD"));
    EXPECT_EQ(cell(0, GroupTable::Share), QStringLiteral("100"));
    EXPECT_EQ(cell(0, GroupTable::Turnover), s("1234,05"));
    EXPECT_EQ(cell(3, GroupTable::Name), u("Група 3"));
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 03 71 01 01 89 9F 0D"));
    EXPECT_EQ(progress, QList<int>{16});
}

TEST_P(Rig, FullReadFillsEveryRowAndEnds)
{
    groups.BtnGReadClick();
    for (int g = 0; g < 13; ++g) {
        ASSERT_EQ(lastNumber(), g);
        ASSERT_EQ(lastCommand(), 0x71);
        QByteArray name = g % 2 ? QByteArray(19, char(0xFF)) : padded("G" + QByteArray::number(g));
        QByteArray data = groupRecord(g, name, "E2 04 0A 00 00 00 07");
        data.append(hexBytes("EE EE")); // data past the record is ignored
        driver.received(reply(113, data));
    }
    EXPECT_EQ(port.writes.size(), 13);
    for (int g = 0; g < 13; ++g) {
        EXPECT_EQ(cell(g, GroupTable::Name), g % 2 ? QString() : "G" + QString::number(g)) << g;
        EXPECT_EQ(cell(g, GroupTable::Share), s("12,5"));
        EXPECT_EQ(cell(g, GroupTable::Turnover), s("10,07"));
        EXPECT_EQ(groups.table().cell(0, g + 1), QString::number(g));
    }
    EXPECT_EQ(statuses, (QStringList{Reading, ReadDone}));
    EXPECT_EQ(progress.size(), 14);
    EXPECT_EQ(progress.count(16), 13);
    EXPECT_EQ(progress.last(), 0);
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, NumberAboveTwelveFillsNothingAndTheReadWaits)
{
    groups.BtnGReadClick();
    driver.received(reply(113, groupRecord(40, padded("XYZ"), "10 27 01 00 00 00 00")));
    EXPECT_EQ(port.writes.size(), 1);
    for (int g = 0; g < 13; ++g)
        EXPECT_EQ(cell(g, GroupTable::Name), u("Група ") + QString::number(g));
    EXPECT_EQ(statuses, QStringList{Reading});
    EXPECT_TRUE(progress.isEmpty());
    EXPECT_TRUE(driver.isBusy());
    // The repeat asks for group 0 again; its answer goes on to group 1.
    driver.retryTick();
    ASSERT_EQ(port.writes.size(), 2);
    EXPECT_EQ(port.last(), port.writes.first());
    driver.received(reply(113, groupRecord(0, padded("XYZ"), "10 27 01 00 00 00 00")));
    EXPECT_EQ(cell(0, GroupTable::Name), QStringLiteral("XYZ"));
    EXPECT_EQ(lastNumber(), 1);
    EXPECT_EQ(progress, QList<int>{16});
}

TEST_P(Rig, ShortReplyFillsNothingButTheReadGoesOn)
{
    groups.BtnGReadClick();
    driver.received(reply(113, hexBytes("00 41 42")));
    EXPECT_EQ(cell(0, GroupTable::Name), u("Група 0"));
    EXPECT_EQ(cell(0, GroupTable::Share), s("0,00"));
    EXPECT_EQ(lastNumber(), 1);
    // A reply without data ends the read.
    driver.received(reply(113, QByteArray()));
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(statuses.last(), ReadDone);
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(Rig, WriteRequestCarriesNumberNameAndShare)
{
    groups.BtnGWriteClick();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 72 16 00 83 B0 B3 AF A0 20 30 00 00 00 00 00 00 00 00 "
                                    "00 00 00 00 00 00 21 17 0D"));
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, QList<int>{1});
    EXPECT_TRUE(groups.isWriting());
    EXPECT_EQ(readsStarted, 0);
}

TEST_P(Rig, FirstRecordVariants)
{
    struct Case {
        const char *name;
        const char *share;
        const char *frameHex;
    };
    const Case cases[] = {
        {"ABCD", "100", "AA 01 11 00 45 12 01 72 16 00 41 42 43 44 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                        "10 27 DD BB 0D"},
        {"   ", "12,5", "AA 01 11 00 45 12 01 72 16 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                        "E2 04 6F 91 0D"},
        {"", "12.5", "AA 01 11 00 45 12 01 72 16 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                     "E2 04 6F 91 0D"},
        {"", "12,509", "AA 01 11 00 45 12 01 72 16 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                       "E2 04 6F 91 0D"},
    };
    for (const Case &c : cases) {
        port.writes.clear();
        driver.reset();
        groups.table().setGroupCell(0, GroupTable::Name, u(c.name));
        groups.table().setGroupCell(0, GroupTable::Share, s(c.share));
        groups.BtnGWriteClick();
        EXPECT_EQ(port.last().toHex(' ').toUpper(), hexBytes(c.frameHex).toHex(' ').toUpper()) << c.share;
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_P(Rig, CompleteWriteSendsThirteenRecordsAndNeverReadsBack)
{
    setShares(s("12,5"));
    groups.table().setGroupCell(12, GroupTable::Share, s("0,00"));
    groups.table().setGroupCell(4, GroupTable::Turnover, QStringLiteral("typed"));
    groups.BtnGWriteClick();
    for (int g = 0; g < 13; ++g) {
        ASSERT_EQ(lastCommand(), 0x72);
        ASSERT_EQ(lastNumber(), g);
        EXPECT_EQ(driver.transferIndex(), g);
        EXPECT_EQ(port.last().size(), 34);
        driver.received(reply(114, QByteArray()));
    }
    EXPECT_EQ(port.writes.size(), 13);
    EXPECT_EQ(port.writes[12], hexBytes("AA 01 11 00 45 12 19 72 16 0C 83 B0 B3 AF A0 20 31 32 00 00 00 00 00 00 "
                                        "00 00 00 00 00 00 00 78 30 0D"));
    EXPECT_EQ(statuses, (QStringList{Writing, WriteDone}));
    QList<int> expected(13, 1);
    expected << 0;
    EXPECT_EQ(progress, expected);
    EXPECT_FALSE(groups.isWriting());
    EXPECT_FALSE(driver.isBusy());
    // The table keeps the texts as typed.
    EXPECT_EQ(cell(3, GroupTable::Share), s("12,5"));
    EXPECT_EQ(cell(4, GroupTable::Turnover), QStringLiteral("typed"));
    // A stray acknowledgement continues nothing.
    driver.received(reply(114, QByteArray()));
    EXPECT_EQ(port.writes.size(), 13);
    EXPECT_EQ(statuses.size(), 2);
}

class RefusedShare : public ::testing::TestWithParam<std::tuple<char, const char *>> {};

TEST_P(RefusedShare, AtTheFirstGroupNothingIsSent)
{
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    driver.setSerialNumberSource([] { return QStringLiteral("004512"); });
    FamilyContext ctx{driver, Regional::withDecimal(QLatin1Char(std::get<0>(GetParam())))};
    Groups groups{ctx};
    QStringList statuses, messages;
    QList<int> progress;
    QObject::connect(&groups, &Groups::status, [&](const QString &t) { statuses << t; });
    QObject::connect(&groups, &Groups::progress, [&](int v) { progress << v; });
    QObject::connect(&groups, &Groups::message, [&](const QString &t, const QString &x) { messages << t + "|" + x; });
    groups.table().setGroupCell(0, GroupTable::Share, u(std::get<1>(GetParam())));
    groups.BtnGWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(messages, QStringList{Refusal});
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, QList<int>{1});
    EXPECT_FALSE(groups.isWriting());
    EXPECT_FALSE(driver.isBusy());
}

INSTANTIATE_TEST_SUITE_P(Groups, RefusedShare,
                         ::testing::Combine(::testing::Values(',', '.'),
                                            ::testing::Values("101", "", "abc", "-1", "100.5", "1e3")));

TEST_P(Rig, RefusedLaterShareStopsTheWriteThere)
{
    setShares(QStringLiteral("5"));
    groups.table().setGroupCell(5, GroupTable::Share, QStringLiteral("101"));
    groups.BtnGWriteClick();
    acknowledgeAll();
    EXPECT_EQ(port.writes.size(), 5);
    EXPECT_EQ(lastNumber(), 4);
    EXPECT_EQ(messages, QStringList{Refusal});
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress.last(), 1);
    EXPECT_FALSE(groups.isWriting());
    EXPECT_FALSE(driver.isBusy());
    // A late acknowledgement does not resume the write.
    driver.received(reply(114, QByteArray()));
    EXPECT_EQ(port.writes.size(), 5);
    EXPECT_EQ(messages.size(), 1);
}

TEST_P(Rig, UnconvertibleRegionalShareGoesToTheErrorReport)
{
    setShares(QStringLiteral("5"));
    const QString bad = s("1,2,3");
    groups.table().setGroupCell(2, GroupTable::Share, bad);
    groups.BtnGWriteClick();
    acknowledgeAll();
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(errors, QStringList{QStringLiteral("'%1' is not a valid floating point value").arg(bad)});
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_FALSE(groups.isWriting());
    EXPECT_FALSE(driver.isBusy());

    errors.clear();
    groups.table().setGroupCell(0, GroupTable::Share, bad);
    port.writes.clear();
    groups.BtnGWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(errors.size(), 1);
}

TEST_P(Rig, NoReplyStopsAtTheCurrentGroup)
{
    groups.BtnGWriteClick();
    driver.received(reply(114, QByteArray()));
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    EXPECT_EQ(port.writes.size(), 5); // group 1 and its three repeats
    EXPECT_EQ(lastNumber(), 1);
    EXPECT_FALSE(driver.isBusy());
    EXPECT_EQ(statuses, QStringList{Writing});
}

INSTANTIATE_TEST_SUITE_P(Separators, Separator, ::testing::Values(',', '.'));
INSTANTIATE_TEST_SUITE_P(Separators, Rig, ::testing::Values(',', '.'));

} // namespace
