#include "protocol/frame.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *h) { return QByteArray::fromHex(QByteArray(h).replace(' ', "")); }

QByteArray built(const Frame::Buffer &b, int length)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), length);
}

struct Worked {
    const char *serial;
    int sequence;
    int command;
    const char *data;
    const char *frame;
};

class WorkedExamples : public ::testing::TestWithParam<Worked> {};

} // namespace

TEST_P(WorkedExamples, ByteForByte)
{
    const Worked w = GetParam();
    Frame::Buffer buffer;
    buffer.fill(0x77); // the builder must clear it
    const int length = Frame::buildRequest(buffer, Fields::packSerial(QString::fromLatin1(w.serial)),
                                           w.sequence, static_cast<std::uint8_t>(w.command), hex(w.data));
    EXPECT_EQ(built(buffer, length), hex(w.frame));
    for (int i = length; i < Frame::BufferSize; ++i)
        ASSERT_EQ(buffer[i], 0) << i;
    EXPECT_EQ(Frame::repeatLength(buffer), length);
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, WorkedExamples,
    ::testing::Values(Worked{"123", 1, 121, "", "AA 01 11 00 01 23 01 79 00 5A E0 0D"},
                      Worked{"004512", 7, 101, "00", "AA 01 11 00 45 12 07 65 01 00 80 8E 0D"},
                      Worked{"123456", 3, 115, "1000", "AA 01 11 12 34 56 03 73 02 10 00 E0 A8 0D"}),
    [](const ::testing::TestParamInfo<Worked> &info) { return "command" + std::to_string(info.param.command); });

TEST(Frame, SequenceByteWrapsAfter128Replies)
{
    Frame::Buffer buffer;
    Frame::buildRequest(buffer, {0, 0, 0}, 1 + 2 * 128, 121, {});
    EXPECT_EQ(buffer[6], 1);
    Frame::buildRequest(buffer, {0, 0, 0}, 255, 121, {});
    EXPECT_EQ(buffer[6], 255);
}

TEST(Frame, ChecksumsKeepEightBitsAndCoverOnlyHeaderAndData)
{
    const std::uint8_t bytes[] = {0xFF, 0xFF, 0x03};
    EXPECT_EQ(Frame::crc1(bytes, 2), 0x01);
    EXPECT_EQ(Frame::crc2(bytes, 2), 0x03);
    EXPECT_EQ(Frame::crc1(bytes, -1), 0);
    EXPECT_EQ(Frame::crc2(bytes, -5), 0);
}

TEST(Frame, RepeatLengthEqualsFrameLengthForEveryDataLength)
{
    Frame::Buffer buffer;
    for (int n = 0; n <= 239; ++n) { // request lengths 12..251
        QByteArray data(n, '\0');   // zero data is the hard case for the scan
        const int length = Frame::buildRequest(buffer, {0, 0, 0}, 1, 101, data);
        ASSERT_EQ(length, n + 12);
        ASSERT_EQ(Frame::repeatLength(buffer), length) << n;
    }
}

TEST(Frame, ClearedBufferHasNoRepeatLength)
{
    Frame::Buffer buffer;
    buffer.fill(0);
    EXPECT_EQ(Frame::repeatLength(buffer), 0);
}

TEST(Frame, OversizedDataNeverOverflowsTheBuffer)
{
    Frame::Buffer buffer;
    const int length = Frame::buildRequest(buffer, {0, 0, 0}, 1, 116, QByteArray(400, '\x01'));
    EXPECT_EQ(length, Frame::BufferSize);
    EXPECT_EQ(buffer[Frame::BufferSize - 1], 0x0D);
}

TEST(Frame, NoDataFrameIs12Bytes)
{
    const QByteArray f = Frame::build({0x12, 0x34, 0x56}, 9, 103, {});
    ASSERT_EQ(f.size(), 12);
    EXPECT_EQ(static_cast<std::uint8_t>(f[8]), 0);
    const auto *p = reinterpret_cast<const std::uint8_t *>(f.constData());
    EXPECT_EQ(static_cast<std::uint8_t>(f[9]), Frame::crc1(p, 8));
    EXPECT_EQ(static_cast<std::uint8_t>(f[10]), Frame::crc2(p, 8));
}
