#include "sim/registerresponder.h"
#include "sim/registerstate.h"
#include "sim/testframes.h"

#include <gtest/gtest.h>

#include <functional>

using TestFrames::frame;
using TestFrames::hex;
using TestFrames::request;

namespace {

QByteArray repeat(const char *byteHex, int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(hex(byteHex));
    return out;
}

struct Register {
    RegisterState state = RegisterState::blank();
    RegisterResponder responder{state};

    // The one reply to a request, or a null array when there is none.
    QByteArray ask(const QByteArray &req)
    {
        const QList<QByteArray> replies = responder.feed(req);
        EXPECT_LE(replies.size(), 1);
        return replies.isEmpty() ? QByteArray() : replies.first();
    }
};

} // namespace

// ---------------------------------------------------------------------------
// The worked frames of the request frame, answered by a blank register.

struct WorkedFrame {
    const char *name;
    const char *request;
    QByteArray expectedReply;
};

void PrintTo(const WorkedFrame &p, std::ostream *os) { *os << p.name; }

class SimResponderWorkedFrames : public ::testing::TestWithParam<WorkedFrame> {};

TEST_P(SimResponderWorkedFrames, AnswersWithTheRequestsSerialSequenceAndCode)
{
    Register r;
    const QByteArray reply = r.ask(hex(GetParam().request));
    EXPECT_EQ(reply.toHex(' '), GetParam().expectedReply.toHex(' '));
    EXPECT_TRUE(TestFrames::checksumsRight(reply));
    EXPECT_EQ(r.responder.rejectedCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, SimResponderWorkedFrames,
    ::testing::Values(
        // End of dialogue, serial 123, sequence 1: the acknowledgement has no
        // data, so it is byte for byte the request.
        WorkedFrame{"EndOfDialogue", "AA 01 11 00 01 23 01 79 00 5A E0 0D", hex("AA 01 11 00 01 23 01 79 00 5A E0 0D")},
        // Header line 0, serial 004512, sequence 7: index and 19 blanks.
        WorkedFrame{"HeaderLine", "AA 01 11 00 45 12 07 65 01 00 80 8E 0D",
                    frame("00 45 12", 7, 0x65, hex("00") + repeat("20", 19))},
        // Article 16, serial 123456, sequence 3: a cleared article.
        WorkedFrame{"Article", "AA 01 11 12 34 56 03 73 02 10 00 E0 A8 0D",
                    frame("12 34 56", 3, 0x73, hex("10 00") + repeat("FF", 37) + repeat("00", 7 + 2 + 12 + 5))}),
    [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// What gets no reply.

struct Silent {
    const char *name;
    QByteArray bytes;
};

void PrintTo(const Silent &p, std::ostream *os) { *os << p.name; }

class SimResponderNoReply : public ::testing::TestWithParam<Silent> {};

TEST_P(SimResponderNoReply, IsCountedAndTheNextGoodFrameIsAnswered)
{
    Register r;
    const QList<QByteArray> first = r.responder.feed(GetParam().bytes);
    EXPECT_TRUE(first.isEmpty());
    EXPECT_TRUE(r.responder.log().isEmpty());
    const QByteArray good = hex("AA 01 11 00 01 23 01 79 00 5A E0 0D");
    ASSERT_EQ(r.responder.feed(good), QList<QByteArray>{good});
    EXPECT_EQ(r.responder.log().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, SimResponderNoReply,
    ::testing::Values(Silent{"WrongCrc1", hex("AA 01 11 00 01 23 01 79 00 5B E0 0D")},
                      Silent{"WrongCrc2", hex("AA 01 11 00 01 23 01 79 00 5A E1 0D")},
                      Silent{"BothWrong", hex("AA 01 11 00 45 12 07 65 01 00 8E 80 0D")},
                      Silent{"UnknownCode106", request(106, "00")},
                      Silent{"UnknownCode122", request(122, "")},
                      Silent{"UnknownCode0", request(0, "")},
                      Silent{"TaxReadWithTwoBytes", request(107, "00 00")},
                      Silent{"ArticleReadWithOneByte", request(115, "00")},
                      Silent{"WriteLineTooShort", request(102, "00 41 42")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimResponder, BadChecksumsAreRejectedNotLogged)
{
    Register r;
    EXPECT_TRUE(r.ask(hex("AA 01 11 00 01 23 01 79 00 5B E0 0D")).isNull());
    EXPECT_EQ(r.responder.rejectedCount(), 1);
    QList<RegisterResponder::Exchange> ex = r.responder.process(hex("AA 01 11 00 01 23 01 79 00 5A E1 0D"));
    ASSERT_EQ(ex.size(), 1);
    EXPECT_TRUE(ex[0].reply.isEmpty());
    EXPECT_TRUE(ex[0].problem.contains(QLatin1String("checksum")));
}

// ---------------------------------------------------------------------------
// Framing: junk, stray start bytes, any split of the input.

namespace {

QByteArray stream()
{
    QByteArray s;
    s += hex("00 FF 0D");                       // line noise
    s += request(107, "02");                    // tax rate 2
    s += QByteArrayLiteral("OK\r");             // text between frames
    s += hex("AA");                             // a stray start byte
    s += request(115, "A0 0F", 3);              // article 4000: out of range
    s += hex("AA 01 11 00 01 23 01 79 00 5B E0 0D"); // bad checksum
    s += hex("AA 05 0D");                       // a start byte and a short run
    s += request(113, "0C", 5);                 // group 12
    s += request(116, "01 00" "9EA8A2A0" "0000000000000000000000000000000000000000000000000000000000000000" "FF"
                      "08600123456789" "04" "27" "D2040000" "48F4FFFF", 7);
    s += request(115, "01 00", 9);
    return s;
}

} // namespace

TEST(SimResponder, WholeAndByteAtATimeGiveTheSameReplies)
{
    Register whole;
    const QList<QByteArray> wholeReplies = whole.responder.feed(stream());

    Register single;
    QList<QByteArray> singleReplies;
    const QByteArray s = stream();
    for (char c : s)
        singleReplies += single.responder.feed(QByteArray(1, c));

    ASSERT_EQ(wholeReplies.size(), 5);
    EXPECT_EQ(singleReplies, wholeReplies);
    EXPECT_TRUE(whole.state == single.state);
    EXPECT_EQ(whole.responder.log(), single.responder.log());
    EXPECT_EQ(whole.responder.pendingBytes(), 0);
    EXPECT_EQ(single.responder.pendingBytes(), 0);

    const QList<RegisterResponder::Handled> expectedLog = {{107, 2}, {115, 4000}, {113, 12}, {116, 1}, {115, 1}};
    EXPECT_EQ(whole.responder.log(), expectedLog);
    // The article written is read back as written.
    EXPECT_EQ(TestFrames::dataOf(wholeReplies[4]).mid(39, 7), hex("08 60 01 23 45 67 89"));
}

TEST(SimResponder, EveryTwoWaySplitGivesTheSameReplies)
{
    const QByteArray s = stream();
    Register reference;
    const QList<QByteArray> expected = reference.responder.feed(s);
    for (int cut = 1; cut < s.size(); ++cut) {
        Register r;
        QList<QByteArray> got = r.responder.feed(s.left(cut));
        got += r.responder.feed(s.mid(cut));
        ASSERT_EQ(got, expected) << "cut at " << cut;
    }
}

TEST(SimResponder, AFrameStillArrivingIsHeldNotDropped)
{
    Register r;
    const QByteArray req = request(111, "03");
    EXPECT_TRUE(r.responder.feed(req.left(10)).isEmpty());
    EXPECT_EQ(r.responder.pendingBytes(), 10);
    const QList<QByteArray> replies = r.responder.feed(req.mid(10));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(TestFrames::dataOf(replies[0]).left(1), hex("03"));
}

TEST(SimResponder, AStrayStartByteBeforeAWholeFrameDoesNotHoldItBack)
{
    Register r;
    // The stray AA takes the frame's code byte as its length: it would wait
    // for 119 bytes unless the complete frame behind it is recognised.
    const QList<QByteArray> replies = r.responder.feed(hex("AA") + request(107, "00"));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(TestFrames::dataOf(replies[0]), hex("00 20 80 FF FF"));
}

TEST(SimResponder, AGoodFrameInsideTheSpanOfAStrayStartByteIsAnswered)
{
    // The stray header claims 12 data bytes, and a trailer happens to sit
    // where its frame would end; the frame inside it is the real one.
    Register r;
    const QByteArray good = hex("AA 01 11 00 01 23 01 79 00 5A E0 0D");
    const QList<QByteArray> replies = r.responder.feed(hex("AA 00 00 00 00 00 00 00 0C") + good + hex("00 00 0D"));
    EXPECT_EQ(replies, QList<QByteArray>{good});
    EXPECT_EQ(r.responder.rejectedCount(), 0);
}

TEST(SimResponder, SkippedBytesAreReported)
{
    Register r;
    const QList<RegisterResponder::Exchange> ex = r.responder.process(QByteArrayLiteral("OK\r") + request(121, ""));
    ASSERT_EQ(ex.size(), 2);
    EXPECT_TRUE(ex[0].skipped);
    EXPECT_EQ(ex[0].request, QByteArrayLiteral("OK\r"));
    EXPECT_FALSE(ex[1].skipped);
    EXPECT_FALSE(ex[1].reply.isEmpty());
}

// ---------------------------------------------------------------------------
// Replies carry the serial and sequence byte of their request.

TEST(SimResponder, ReplyEchoesSerialAndSequence)
{
    Register r;
    for (int seq : {1, 3, 127, 255}) {
        const QByteArray reply = r.ask(frame("98 76 54", seq, 107, hex("04")));
        ASSERT_EQ(reply.size(), 17);
        EXPECT_EQ(reply.left(9), hex("AA 01 11 98 76 54") + char(seq) + hex("6B 05"));
    }
}

// ---------------------------------------------------------------------------
// Length of every reply.

struct ReplyLength {
    int code;
    const char *data;
    int n;
};

void PrintTo(const ReplyLength &p, std::ostream *os) { *os << p.code; }

class SimResponderReplyLength : public ::testing::TestWithParam<ReplyLength> {};

TEST_P(SimResponderReplyLength, CarriesTheRecordTheToolReads)
{
    Register r;
    const QByteArray reply = r.ask(request(GetParam().code, GetParam().data));
    ASSERT_FALSE(reply.isEmpty());
    EXPECT_EQ(static_cast<unsigned char>(reply[7]), GetParam().code);
    EXPECT_EQ(static_cast<unsigned char>(reply[8]), GetParam().n);
    EXPECT_EQ(reply.size(), GetParam().n + 12);
    EXPECT_TRUE(TestFrames::checksumsRight(reply));
}

INSTANTIATE_TEST_SUITE_P(
    AllSeventeen, SimResponderReplyLength,
    ::testing::Values(ReplyLength{101, "00", 20}, ReplyLength{102, "00" "20202020202020202020202020202020202020", 1},
                      ReplyLength{103, "", 9}, ReplyLength{104, "000000000000000000", 0},
                      ReplyLength{107, "00", 5}, ReplyLength{108, "00208000 00", 1},
                      ReplyLength{111, "00", 30},
                      ReplyLength{112, "00" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "00" "00" "00000000", 1},
                      ReplyLength{113, "00", 27},
                      ReplyLength{114, "00" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "0000", 1},
                      ReplyLength{115, "00 00", 65},
                      ReplyLength{116, "0000" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
                                       "00000000000000" "00" "00" "00000000" "00000000", 1},
                      ReplyLength{117, "00", 104},
                      ReplyLength{118, "00" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "00000000", 1},
                      ReplyLength{119, "00", 28},
                      ReplyLength{120, "00" "000000000000000000000000000000000000000000000000000000", 1},
                      ReplyLength{121, "", 0}),
    [](const auto &info) { return std::to_string(info.param.code); });

// ---------------------------------------------------------------------------
// Write, then read back: what was written, in the register's encodings.

struct WriteRead {
    const char *name;
    int writeCode;
    const char *writeData;
    int readCode;
    const char *readData;
    const char *expectedReadData;
    bool onDemo = false; // start from the demo register instead of a blank one
};

void PrintTo(const WriteRead &p, std::ostream *os) { *os << p.name; }

class SimResponderWriteThenRead : public ::testing::TestWithParam<WriteRead> {};

TEST_P(SimResponderWriteThenRead, ReadReturnsWhatWasWritten)
{
    const WriteRead &p = GetParam();
    const RegisterState base = p.onDemo ? RegisterState::demo() : RegisterState::blank();
    Register r;
    r.state = base;
    const QByteArray ack = r.ask(request(p.writeCode, p.writeData, 1));
    ASSERT_FALSE(ack.isEmpty());
    EXPECT_EQ(static_cast<unsigned char>(ack[7]), p.writeCode);
    const QByteArray reply = r.ask(request(p.readCode, p.readData, 3));
    EXPECT_EQ(TestFrames::dataOf(reply).toHex(' '), hex(p.expectedReadData).toHex(' '));
    // Nothing else of the register changed.
    Register fresh;
    fresh.state = base;
    fresh.ask(request(p.writeCode, p.writeData, 1));
    EXPECT_TRUE(fresh.state == r.state);
    EXPECT_FALSE(fresh.state == base);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamily, SimResponderWriteThenRead,
    ::testing::Values(
        WriteRead{"HeaderLine", 102, "03" "9EA8A2A0" "202020202020202020202020202020", 101, "03",
                  "03" "9EA8A2A0" "202020202020202020202020202020"},
        WriteRead{"TaxRate", 108, "03 20 9A 52 03", 107, "03", "03 20 9A 52 03"},
        WriteRead{"TaxRateNone", 108, "00 20 80 FF FF", 107, "00", "00 20 80 FF FF", true},
        WriteRead{"DemoDepartmentEmptied", 112, "07" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "00" "00" "00000000", 111, "07",
                  "07" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "00" "00" "00000000" "0000000000", true},
        WriteRead{"Department", 112, "02" "9EA8A2A0" "0000000000000000000000000000" "FF" "51" "32000000", 111, "02",
                  "02" "9EA8A2A0" "0000000000000000000000000000" "00" "51" "32000000" "0000000000"},
        WriteRead{"Group", 114, "0C" "8FA8BCA5" "000000000000000000000000000000" "1027", 113, "0C",
                  "0C" "8FA8BCA5" "000000000000000000000000000000" "1027" "0000000000"},
        WriteRead{"Article", 116,
                  "0F00" "9EA8A2A0" "0000000000000000000000000000000000000000000000000000000000000000" "FF"
                  "08600123456789" "04" "27" "D2040000" "48F4FFFF",
                  115, "0F 00",
                  "0F00" "9EA8A2A0" "0000000000000000000000000000000000000000000000000000000000000000" "FF"
                  "08600123456789" "04" "27" "D2040000" "48F4FFFF" "00000000" "0000000000"},
        WriteRead{"Operator", 118, "18" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "40E20100", 117, "18",
                  "18" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "40E20100"
                  "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "00000000000000000000000000000000000000000000000000000000000000000000000000000000"},
        WriteRead{"LogoRow", 120, "C5" "0102040810204080FF000000000000000000000000000000000081", 119, "C5",
                  "C5" "0102040810204080FF000000000000000000000000000000000081"},
        WriteRead{"LogoAndPasswords", 104, "40E20100 E1100000 C6", 103, "", "40E20100 E1100000 C6"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimResponder, WritesLandInTheStateInTheRegistersEncodings)
{
    Register r;
    r.ask(request(116, "0100" "9EA8A2A0" "0000000000000000000000000000000000000000000000000000000000000000" "FF"
                       "08600123456789" "04" "27" "D2040000" "FFFFFFFF"));
    const RegisterArticle &a = r.state.articles[1];
    EXPECT_EQ(a.name.left(4), hex("9E A8 A2 A0"));
    EXPECT_EQ(RegisterState::barcodeText(a.barcode), QStringLiteral("08600123456789"));
    EXPECT_EQ(a.tax, 4);
    EXPECT_EQ(a.group(), 2);
    EXPECT_EQ(a.departmentNumber(), 8);
    EXPECT_EQ(a.price, 1234u);
    EXPECT_EQ(a.stock, -1); // FF FF FF FF: -0.001
    EXPECT_EQ(r.responder.log(), (QList<RegisterResponder::Handled>{{116, 1}}));

    r.ask(request(112, "07" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "00" "C8" "FFFFFFFF"));
    EXPECT_EQ(r.state.departments[7].group, 12);
    EXPECT_EQ(r.state.departments[7].tax, 8);
    EXPECT_EQ(r.state.departments[7].price, 0xFFFFFFFFu);
}

TEST(SimResponder, WriteKeepsTheAccumulatedAmounts)
{
    Register r;
    r.state.articles[2].sold = 7000;
    r.state.articles[2].turnover = {10000, 0x32};
    r.state.departments[1].turnover = {5, 5};
    r.ask(request(116, "0200" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
                       "00000000000000" "00" "00" "00000000" "00000000"));
    r.ask(request(112, "01" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF" "00" "00" "00000000"));
    EXPECT_EQ(r.state.articles[2].sold, 7000u);
    EXPECT_EQ(r.state.articles[2].turnover, (RegisterAmount{10000, 0x32}));
    EXPECT_EQ(r.state.departments[1].turnover, (RegisterAmount{5, 5}));
}

// ---------------------------------------------------------------------------
// The field examples, at the offsets of the reply frame.

struct FieldAt {
    const char *name;
    std::function<void(RegisterState &)> setup;
    int code;
    const char *data;
    int offset; // frame offset
    const char *expected;
};

void PrintTo(const FieldAt &p, std::ostream *os) { *os << p.name; }

class SimResponderFieldExamples : public ::testing::TestWithParam<FieldAt> {};

TEST_P(SimResponderFieldExamples, SitAtTheirOffsets)
{
    Register r;
    GetParam().setup(r.state);
    const QByteArray reply = r.ask(request(GetParam().code, GetParam().data));
    const QByteArray expected = hex(GetParam().expected);
    ASSERT_GE(reply.size(), GetParam().offset + expected.size() + 3);
    EXPECT_EQ(reply.mid(GetParam().offset, expected.size()).toHex(' '), expected.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, SimResponderFieldExamples,
    ::testing::Values(
        FieldAt{"ArticleBarcode", [](RegisterState &s) { s.articles[9].barcode = RegisterState::packBarcode(QStringLiteral("8600123456789")); },
                115, "09 00", 48, "08 60 01 23 45 67 89"},
        FieldAt{"ArticleStockMinusOneThousandth", [](RegisterState &s) { s.articles[9].stock = -1; }, 115, "09 00", 61,
                "FF FF FF FF"},
        FieldAt{"ArticleTurnover", [](RegisterState &s) { s.articles[9].turnover = {10000, 50}; }, 115, "09 00", 69,
                "10 27 00 00 32"},
        FieldAt{"ArticleGroupDepartment", [](RegisterState &s) { s.articles[9].groupDepartment = 0x27; }, 115, "09 00", 56,
                "27"},
        FieldAt{"ArticlePrice", [](RegisterState &s) { s.articles[9].price = 513; }, 115, "09 00", 57, "01 02 00 00"},
        FieldAt{"DepartmentTurnover", [](RegisterState &s) { s.departments[4].turnover = {10000, 50}; }, 111, "04", 34,
                "10 27 00 00 32"},
        FieldAt{"DepartmentGroupAndTax", [](RegisterState &s) { s.departments[4].group = 13; s.departments[4].tax = 9; },
                111, "04", 29, "D9"},
        FieldAt{"GroupTurnover", [](RegisterState &s) { s.groups[6].turnover = {10000, 50}; }, 113, "06", 31,
                "10 27 00 00 32"},
        FieldAt{"GroupShare", [](RegisterState &s) { s.groups[6].share = 10000; }, 113, "06", 29, "10 27"},
        FieldAt{"OperatorLastAmount", [](RegisterState &s) { s.operators[3].amounts[15] = {10000, 50}; }, 117, "03", 108,
                "10 27 00 00 32"},
        FieldAt{"OperatorFirstAmount", [](RegisterState &s) { s.operators[3].amounts[0] = {0xFFFFFFFF, 99}; }, 117, "03", 33,
                "FF FF FF FF 63"},
        FieldAt{"OperatorPassword", [](RegisterState &s) { s.operators[3].password = 123456; }, 117, "03", 29,
                "40 E2 01 00"},
        FieldAt{"DepartmentNameЊива",
                [](RegisterState &s) { s.departments[0].name = RegisterState::nameField(QStringLiteral("Њива"), 18, 18); },
                111, "00", 10, "9E A8 A2 A0 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        FieldAt{"EmptyDepartmentName", [](RegisterState &) {}, 111, "05", 10,
                "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        FieldAt{"EmptyGroupName", [](RegisterState &) {}, 113, "05", 10,
                "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        FieldAt{"EmptyOperatorName", [](RegisterState &) {}, 117, "05", 10,
                "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        FieldAt{"EmptyArticleName", [](RegisterState &) {}, 115, "05 00", 11,
                "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
        FieldAt{"TaxLabelJIsLatin", [](RegisterState &s) { s.taxRates[7] = 2000; }, 107, "07", 9, "07 20 4A D0 07"},
        FieldAt{"TaxLabelDje", [](RegisterState &) {}, 107, "03", 9, "03 20 9A FF FF"},
        FieldAt{"TaxLabelKa", [](RegisterState &s) { s.taxRates[8] = 1; }, 107, "08", 9, "08 20 8A 01 00"},
        FieldAt{"LogoInfo", [](RegisterState &s) { s.servicePassword = 1; s.reportPassword = 0x01020304; s.logoHeight = 200; },
                103, "", 9, "01 00 00 00 04 03 02 01 C8"}),
    [](const auto &info) {
        std::string n = info.param.name;
        std::string out;
        for (char c : n)
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                out += c;
        return out;
    });

TEST(SimResponder, ArticleNameFieldHoldsTheWholeWrittenField)
{
    // Bytes 11 to 47 are kept as written, the closing byte 47 included.
    Register r;
    const QByteArray name = hex("9EA8A2A0") + repeat("00", 32) + hex("00");
    r.ask(request(116, ("0000" + name.toHex() + "00000000000000" "00" "00" "00000000" "00000000").constData()));
    const QByteArray reply = r.ask(request(115, "00 00"));
    EXPECT_EQ(reply.mid(11, 37), name);
}

// ---------------------------------------------------------------------------
// Records outside the register's tables.

TEST(SimResponder, ReadsOutsideTheTablesAnswerABlankRecordWithTheIndexAsked)
{
    Register r;
    r.state = RegisterState::demo();
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(107, "09"))), hex("09 20 20 FF FF"));
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(101, "08"))), hex("08") + repeat("20", 19));
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(111, "08"))).mid(1, 18), repeat("FF", 18));
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(113, "0D"))).left(20), hex("0D") + repeat("FF", 19));
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(117, "19"))).left(1), hex("19"));
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(115, "A0 0F"))).left(39), hex("A0 0F") + repeat("FF", 37));
    EXPECT_EQ(TestFrames::dataOf(r.ask(request(119, "FE"))), hex("FE") + repeat("00", 27));
}

TEST(SimResponder, WritesOutsideTheTablesAreAcknowledgedAndChangeNothing)
{
    Register r;
    const RegisterState before = r.state;
    EXPECT_FALSE(r.ask(request(108, "09 20 20 10 00")).isEmpty());
    EXPECT_FALSE(r.ask(request(120, "C6" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF")).isEmpty());
    EXPECT_FALSE(r.ask(request(116, "A00F" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
                                    "00000000000000" "00" "00" "01000000" "00000000")).isEmpty());
    EXPECT_TRUE(r.state == before);
}

TEST(SimResponder, AcknowledgementOfAnArticleWriteCarriesTheIndexLowByte)
{
    Register r;
    const QByteArray ack = r.ask(request(116, "2301" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
                                              "00000000000000" "00" "00" "00000000" "00000000"));
    EXPECT_EQ(TestFrames::dataOf(ack), hex("23"));
    EXPECT_EQ(r.responder.log(), (QList<RegisterResponder::Handled>{{116, 0x123}}));
}

TEST(SimResponder, CommandNamesForTraces)
{
    EXPECT_EQ(RegisterResponder::commandName(107), QStringLiteral("read tax rate"));
    EXPECT_EQ(RegisterResponder::commandName(106), QStringLiteral("unknown"));
}
