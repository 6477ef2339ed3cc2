#include "charset/cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, EveryByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        EXPECT_EQ(Cp1251::fromUnicode(Cp1251::toUnicode(one)), one) << b;
    }
}

TEST(Cp1251, KnownCharacters)
{
    struct Case {
        const char16_t *text;
        int code;
    } cases[] = {
        {u"А", 0xC0}, {u"я", 0xFF}, {u"Ђ", 0x80}, {u"ђ", 0x90}, {u"Ј", 0xA3}, {u"ј", 0xBC},
        {u"Љ", 0x8A}, {u"Њ", 0x8C}, {u"Ћ", 0x8E}, {u"Џ", 0x8F}, {u"№", 0xB9}, {u"€", 0x88},
        {u"Ё", 0xA8}, {u"J", 0x4A},
    };
    for (const Case &c : cases) {
        const QString s = QString::fromUtf16(c.text);
        EXPECT_EQ(Cp1251::fromUnicode(s), QByteArray(1, static_cast<char>(c.code)));
        EXPECT_EQ(Cp1251::toUnicode(QByteArray(1, static_cast<char>(c.code))), s);
    }
}

TEST(Cp1251, UnencodableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(Cp1251::fromUnicode(QStringLiteral("aß€ü")), QByteArray("a?\x88?"));
    // A character outside the BMP is one '?', not two; neighbours are untouched.
    EXPECT_EQ(Cp1251::fromUnicode(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
    EXPECT_FALSE(Cp1251::canEncode(QChar(0x4E2D)));
    EXPECT_TRUE(Cp1251::canEncode(QChar(0x0416)));
}
