#include "protocol/fields.h"

#include <gtest/gtest.h>

using namespace Fields;

namespace {
QByteArray hex(const char *h) { return QByteArray::fromHex(h); }
} // namespace

TEST(PackedSerial, Examples)
{
    struct Case {
        const char *text;
        SerialBytes bytes;
    } cases[] = {
        {"123456", {0x12, 0x34, 0x56}}, {"123", {0x00, 0x01, 0x23}}, {"4512", {0x00, 0x45, 0x12}},
        {"12", {0x00, 0x00, 0x12}},     {"1234567", {0x12, 0x34, 0x56}}, {"", {0x00, 0x00, 0x00}},
        {"004512", {0x00, 0x45, 0x12}}, {"A1", {0x00, 0x00, 0x11}},  // 'A' is 0x41
    };
    for (const Case &c : cases)
        EXPECT_EQ(packSerial(QString::fromLatin1(c.text)), c.bytes) << c.text;
}

TEST(Integers, LittleEndian)
{
    QByteArray buf(8, '\0');
    putU32(buf, 1, 0x12345678);
    EXPECT_EQ(buf, hex("0078563412000000"));
    putU16(buf, 5, 0xFFFF);
    EXPECT_EQ(getU16(buf, 5), 0xFFFF);
    EXPECT_EQ(getU32(hex("01020000"), 0), 513u);
    EXPECT_EQ(getI32(hex("FFFFFFFF"), 0), -1);
    EXPECT_EQ(getAmount5(hex("1027000032"), 0), 1000050);
    EXPECT_EQ(getAmount5(hex("0000000096"), 0), 150) << "the hundredths byte is not limited to 99";
    EXPECT_EQ(getAmount5(hex("FFFFFFFF63"), 0), 429496729599);
}

TEST(Integers, ReadingPastTheEndGivesZero)
{
    EXPECT_EQ(getU32(hex("0102"), 0), 0x0201u);
    EXPECT_EQ(byteAt(hex("01"), 5), 0);
    EXPECT_EQ(byteAt(hex("01"), -1), 0);
}

TEST(TaxLabels, ListAndLookups)
{
    ASSERT_EQ(taxLabels().size(), 9);
    EXPECT_EQ(taxLabels().join(QString()), QStringLiteral("АГДЂЕЖИJК"));
    EXPECT_EQ(taxLabels().at(7), QStringLiteral("\x4A")) << "the J is Latin";
    EXPECT_EQ(taxLabelOrA(12), QStringLiteral("А"));
    EXPECT_EQ(taxLabelOrA(-1), QStringLiteral("А"));
    EXPECT_EQ(taxLabelOrA(3), QStringLiteral("Ђ"));
    EXPECT_EQ(taxIndexOfLabel(QStringLiteral("Ђ")), 3);
    EXPECT_EQ(taxIndexOfLabel(QStringLiteral("ЂЂ")), -1);
    EXPECT_EQ(taxIndexOfLabel(QStringLiteral("Ј")), -1) << "the Cyrillic Ј is no label";
    EXPECT_EQ(taxIndexOfFirstChar(QStringLiteral("Жх")), 5);
    EXPECT_EQ(taxIndexOfFirstChar(QString()), -1);
}

TEST(TextFields, Names)
{
    EXPECT_EQ(decodeName(hex("FFFFFFFF")), QString());
    EXPECT_EQ(decodeName(hex("00010203")), QString());
    EXPECT_EQ(decodeName(hex("01FF41")), QString()) << "first byte taken is 0xFF";
    EXPECT_EQ(decodeName(hex("9EA80AA2A0")), QStringLiteral("Њива"));
    EXPECT_EQ(decodeText(hex("9EA80AA2A0")), QStringLiteral("Њи\nва")) << "header lines keep every byte";
    EXPECT_EQ(encodeText(QStringLiteral("Њива")), hex("9EA8A2A0"));
    EXPECT_EQ(encodeText(QStringLiteral("a中b")), QByteArray("a?b"));
}
