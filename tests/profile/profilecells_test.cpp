#include "profile/profilecells.h"

#include <gtest/gtest.h>

namespace {

struct CarryCase {
    CellKind kind;
    const char *text;
    bool fromComma; // written under a comma locale, read under a point one; else the other way
    bool ok;
    const char *carried;
};

class ProfileCellsCarry : public ::testing::TestWithParam<CarryCase> {};

TEST_P(ProfileCellsCarry, ChecksAndExchangesTheDecimalSeparator)
{
    const CarryCase c = GetParam();
    const Regional from = c.fromComma ? Regional::comma() : Regional::point();
    const Regional to = c.fromComma ? Regional::point() : Regional::comma();
    QString out = QStringLiteral("unchanged");
    EXPECT_EQ(ProfileCells::carry(c.kind, QString::fromUtf8(c.text), from, to, &out), c.ok) << c.text;
    if (c.ok) {
        EXPECT_EQ(out, QString::fromUtf8(c.carried)) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProfileCellsCarry,
    ::testing::Values(CarryCase{CellKind::Decimal, "12,5", true, true, "12.5"},
                      CarryCase{CellKind::Decimal, "12.5", false, true, "12,5"},
                      // A point text under a comma locale is read with the point: stays.
                      CarryCase{CellKind::Decimal, "1.5", true, true, "1.5"},
                      CarryCase{CellKind::Decimal, "-1,25", true, true, "-1.25"},
                      CarryCase{CellKind::Decimal, "007", true, true, "007"},
                      CarryCase{CellKind::Decimal, "", true, true, ""},
                      CarryCase{CellKind::Decimal, "12x", true, false, ""},
                      CarryCase{CellKind::Decimal, "1,5,5", true, false, ""},
                      // Under a point locale a comma is no decimal mark.
                      CarryCase{CellKind::Decimal, "12,5", false, false, ""},
                      CarryCase{CellKind::Rate, "**,**", true, true, "**.**"},
                      CarryCase{CellKind::Rate, "*", false, true, "**,**"},
                      CarryCase{CellKind::Rate, "8,5", true, true, "8.5"},
                      CarryCase{CellKind::Rate, "abc", true, false, ""},
                      CarryCase{CellKind::Whole, "12", true, true, "12"},
                      CarryCase{CellKind::Whole, "1,0", true, false, ""},
                      CarryCase{CellKind::Whole, "x", true, false, ""},
                      CarryCase{CellKind::Digits, "00123", true, true, "00123"},
                      CarryCase{CellKind::Digits, "4294967295", true, true, "4294967295"},
                      CarryCase{CellKind::Digits, "12a", true, false, ""},
                      CarryCase{CellKind::Digits, " 12", true, false, ""},
                      CarryCase{CellKind::Text, "Хлеб, бели; 1,5", true, true, "Хлеб, бели; 1,5"},
                      CarryCase{CellKind::Text, "два\r\nреда", true, false, ""},
                      CarryCase{CellKind::TaxLabel, "Ђ", true, true, "Ђ"}));

TEST(ProfileCells, ASingleTaxDigitFromAFileNamesItsLabel)
{
    EXPECT_EQ(ProfileCells::taxLabelFromFile(QStringLiteral("3")), QStringLiteral("Ђ"));
    EXPECT_EQ(ProfileCells::taxLabelFromFile(QStringLiteral("7")), QStringLiteral("J"));
    EXPECT_EQ(ProfileCells::taxLabelFromFile(QStringLiteral("9")), QStringLiteral("9"));
    EXPECT_EQ(ProfileCells::taxLabelFromFile(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(ProfileCells::taxLabelFromFile(QStringLiteral("Ж")), QStringLiteral("Ж"));
}

} // namespace
