#include "params/common/namedrecord.h"
#include "params/groups/grouprecord.h"
#include "params/operators/operatorrecord.h"
#include "support/fakelink.h"

#include <gtest/gtest.h>

// The name field the group and operator records share.
namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

struct EncodeCase {
    const char *cell;
    const char *fieldHex;
};

class NameEncoding : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(NameEncoding, FillsNineteenBytes)
{
    const QByteArray field = NamedRecord::encodeName(u(GetParam().cell));
    EXPECT_EQ(field.size(), 19);
    EXPECT_EQ(field.toHex(' ').toUpper(), hexBytes(GetParam().fieldHex).toHex(' ').toUpper()) << GetParam().cell;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameEncoding,
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
    EXPECT_EQ(NamedRecord::decodeName(hexBytes(GetParam().fieldHex)), u(GetParam().name)) << GetParam().fieldHex;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameDecoding,
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

TEST(NamedRecord, WriteRequestHoldsNumberNameAndTheFieldLowByteFirst)
{
    EXPECT_EQ(NamedRecord::writeRequest(0x10C, QStringLiteral("AB"), 0x11223344, 4),
              hexBytes("0C 41 42 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 44 33 22 11"));
    EXPECT_EQ(NamedRecord::writeRequest(1, QString(), 0x1234, 2),
              hexBytes("01 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 34 12"));
}

TEST(NamedRecord, ReplyHeadReadsNumberAndNameOfACompleteRecord)
{
    const QByteArray data = hexBytes("07 41 42 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF");
    const NamedRecord::Reply whole = NamedRecord::readReply(data, 21);
    EXPECT_EQ(whole.number, 7);
    EXPECT_TRUE(whole.complete);
    EXPECT_EQ(whole.name, QStringLiteral("AB"));
    const NamedRecord::Reply cut = NamedRecord::readReply(data, 22);
    EXPECT_EQ(cut.number, 7);
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.name, QString());
    EXPECT_EQ(NamedRecord::readReply(QByteArray(), 21).number, 0x100);
}

// Each family's reply keeps the number of a record cut short; an empty data
// part reads as a number past its last record.
TEST(NamedRecord, FamilyRepliesOfShortAndEmptyRecords)
{
    for (const QChar d : {QLatin1Char(','), QLatin1Char('.')}) {
        const GroupRecord::Reply group = GroupRecord::readReply(hexBytes("05 41 42"), d);
        EXPECT_EQ(group.number, 5);
        EXPECT_FALSE(group.complete);
        const OperatorRecord::Reply op = OperatorRecord::readReply(hexBytes("06 41") + QByteArray(101, '\0'), d);
        EXPECT_EQ(op.number, 6);
        EXPECT_FALSE(op.complete);
        EXPECT_FALSE(GroupRecord::readReply(QByteArray(), d).complete);
        EXPECT_GE(GroupRecord::readReply(QByteArray(), d).number, 13);
        EXPECT_FALSE(OperatorRecord::readReply(QByteArray(), d).complete);
        EXPECT_GE(OperatorRecord::readReply(QByteArray(), d).number, 25);
    }
}

} // namespace
