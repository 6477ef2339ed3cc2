#include "charset/cp1251.h"
#include "charset/devicecharset.h"

#include <QList>
#include <gtest/gtest.h>

using DeviceCharset::dekodiraj;
using DeviceCharset::dekodirajByte;
using DeviceCharset::kodiraj;
using DeviceCharset::kodirajByte;

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(static_cast<char>(b));
    return out;
}

struct PairCase {
    int device;
    int pc;
};

// The 75 pairs, written out from the register's table rather than derived.
const PairCase allPairs[] = {
    {0x5B, 0x5C}, {0x5C, 0x5D}, {0x5D, 0x5E}, {0x5E, 0x5B}, {0x5F, 0x40}, {0x60, 0xB9},
    {0x7B, 0x7C}, {0x7C, 0x7D}, {0x7D, 0x7E}, {0x7E, 0x7B}, {0x7F, 0x60},
    {0x80, 0xC0}, {0x81, 0xC1}, {0x82, 0xC2}, {0x83, 0xC3}, {0x84, 0xC4}, {0x85, 0xC5},
    {0x86, 0xC6}, {0x87, 0xC7}, {0x88, 0xC8}, {0x89, 0xA3}, {0x8A, 0xCA}, {0x8B, 0xCB},
    {0x8C, 0xCC}, {0x8D, 0xCD}, {0x8E, 0xCE}, {0x8F, 0xCF}, {0x90, 0xD0}, {0x91, 0xD1},
    {0x92, 0xD2}, {0x93, 0xD3}, {0x94, 0xD4}, {0x95, 0xD5}, {0x96, 0xD6}, {0x97, 0xD7},
    {0x98, 0xD8}, {0x99, 0x8F}, {0x9A, 0x80}, {0x9B, 0xDB}, {0x9C, 0x8E}, {0x9D, 0xDD},
    {0x9E, 0x8C}, {0x9F, 0x8A},
    {0xA0, 0xE0}, {0xA1, 0xE1}, {0xA2, 0xE2}, {0xA3, 0xE3}, {0xA4, 0xE4}, {0xA5, 0xE5},
    {0xA6, 0xE6}, {0xA7, 0xE7}, {0xA8, 0xE8}, {0xA9, 0xBC}, {0xAA, 0xEA}, {0xAB, 0xEB},
    {0xAC, 0xEC}, {0xAD, 0xED}, {0xAE, 0xEE}, {0xAF, 0xEF}, {0xB0, 0xF0}, {0xB1, 0xF1},
    {0xB2, 0xF2}, {0xB3, 0xF3}, {0xB4, 0xF4}, {0xB5, 0xF5}, {0xB6, 0xF6}, {0xB7, 0xF7},
    {0xB8, 0xF8}, {0xB9, 0x9F}, {0xBA, 0x90}, {0xBB, 0xFB}, {0xBC, 0x9E}, {0xBD, 0xFD},
    {0xBE, 0x9C}, {0xBF, 0x9A},
};

} // namespace

TEST(DeviceCharset, EveryPairMapsBothWays)
{
    ASSERT_EQ(std::size(allPairs), 75u);
    for (const PairCase &p : allPairs) {
        EXPECT_EQ(kodirajByte(p.pc), p.device) << std::hex << p.pc;
        EXPECT_EQ(dekodirajByte(p.device), p.pc) << std::hex << p.device;
    }
}

TEST(DeviceCharset, CodesOutsideThePairsPassUnchanged)
{
    bool pcPaired[256] = {};
    bool devicePaired[256] = {};
    for (const PairCase &p : allPairs) {
        pcPaired[p.pc] = true;
        devicePaired[p.device] = true;
    }
    for (int b = 0; b < 256; ++b) {
        if (!pcPaired[b]) {
            EXPECT_EQ(kodirajByte(b), b) << b;
        }
        if (!devicePaired[b]) {
            EXPECT_EQ(dekodirajByte(b), b) << b;
        }
    }
}

TEST(DeviceCharset, NjivaBothWays)
{
    const QByteArray pc = Cp1251::fromUnicode(QStringLiteral("Њива"));
    EXPECT_EQ(kodiraj(pc), bytes({0x9E, 0xA8, 0xA2, 0xA0}));
    EXPECT_EQ(Cp1251::toUnicode(dekodiraj(bytes({0x9E, 0xA8, 0xA2, 0xA0}))), QStringLiteral("Њива"));
}

TEST(DeviceCharset, BackslashGoesTo5BAndBack)
{
    EXPECT_EQ(kodiraj("\\"), bytes({0x5B}));
    EXPECT_EQ(dekodiraj(bytes({0x5B})), QByteArray("\\"));
}

struct LossCase {
    int pcSent;
    int pcBack;
};

class RoundTripLoss : public ::testing::TestWithParam<LossCase> {};

TEST_P(RoundTripLoss, UnpairedCharacterComesBackAsAnother)
{
    const LossCase c = GetParam();
    const QByteArray sent = kodiraj(bytes({c.pcSent}));
    EXPECT_EQ(sent, bytes({c.pcSent})) << "unpaired characters are sent unchanged";
    EXPECT_EQ(dekodiraj(sent), bytes({c.pcBack}));
}

INSTANTIATE_TEST_SUITE_P(Losses, RoundTripLoss,
                         ::testing::Values(LossCase{0x5F, 0x40},  // underscore -> commercial at
                                           LossCase{0x81, 0xC1},  // Ѓ -> Б
                                           LossCase{0x7F, 0x60},  // DEL -> grave accent
                                           LossCase{0xA0, 0xE0},  // no-break space -> а
                                           LossCase{0xB8, 0xF8},  // ё -> ш
                                           LossCase{0x9D, 0xDD})); // ќ -> Э

TEST(DeviceCharset, EveryListedLossyCodeChanges)
{
    QList<int> lossy = {0x7F, 0x8B, 0x8D, 0x9B, 0x9D, 0xBA, 0xBB};
    for (int b = 0x81; b <= 0x89; ++b) lossy << b;
    for (int b = 0x91; b <= 0x99; ++b) lossy << b;
    for (int b = 0xA0; b <= 0xA2; ++b) lossy << b;
    for (int b = 0xA4; b <= 0xB8; ++b) lossy << b;
    for (int b = 0xBD; b <= 0xBF; ++b) lossy << b;
    for (int b : lossy)
        EXPECT_NE(dekodirajByte(kodirajByte(b)), b) << std::hex << b;
}

TEST(DeviceCharset, UnpairedCyrillicLettersTravelUnchanged)
{
    for (int b : {0xC9, 0xD9, 0xDA, 0xDC, 0xDE, 0xDF, 0xE9, 0xF9, 0xFA, 0xFC, 0xFE, 0xFF}) {
        EXPECT_EQ(kodirajByte(b), b);
        EXPECT_EQ(dekodirajByte(b), b);
    }
}

TEST(DeviceCharset, UnpairedRegisterCodesReadAsSameCp1251Code)
{
    EXPECT_EQ(dekodirajByte(0x40), 0x40);
    EXPECT_EQ(dekodirajByte(0x5F), 0x40);
    for (int b = 0xC0; b <= 0xFF; ++b)
        EXPECT_EQ(dekodirajByte(b), b);
}

TEST(DeviceCharset, LatinDigitsAndBlankNeverChange)
{
    const QByteArray text("The quick brown fox 0123456789 JUMPS");
    EXPECT_EQ(kodiraj(text), text);
    EXPECT_EQ(dekodiraj(text), text);
}

TEST(DeviceCharset, LengthIsKeptAndEmptyGivesEmpty)
{
    EXPECT_TRUE(kodiraj(QByteArray()).isEmpty());
    EXPECT_TRUE(dekodiraj(QByteArray()).isEmpty());
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(kodiraj(all).size(), 256);
    EXPECT_EQ(dekodiraj(all).size(), 256);
}
