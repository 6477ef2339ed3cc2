#include "params/logo/logopicture.h"
#include "support/fakelink.h"

#include <gtest/gtest.h>

namespace {

// ---- the dot rule ---------------------------------------------------------

struct DotCase {
    QRgb pixel;
    bool dot;
};

class DotRule : public ::testing::TestWithParam<DotCase> {};

TEST_P(DotRule, OnlyPureWhiteIsBlank)
{
    EXPECT_EQ(LogoPicture::isDot(GetParam().pixel), GetParam().dot) << std::hex << GetParam().pixel;
}

INSTANTIATE_TEST_SUITE_P(Pixels, DotRule,
                         ::testing::Values(DotCase{0xFFFFFFFF, false}, DotCase{0xFFFEFEFE, true},
                                           DotCase{0xFFFFFFFE, true}, DotCase{0xFFFEFFFF, true},
                                           DotCase{0xFFFFFEFF, true}, DotCase{0xFF000000, true},
                                           DotCase{0xFFFF0000, true}, DotCase{0xFFC0C0C0, true},
                                           DotCase{0x00FFFFFF, false}));

// ---- row packing -----------------------------------------------------------

QImage knownPicture()
{
    QImage p = LogoPicture::blank(3);
    p.setPixel(0, 0, 0xFF000000);   // byte 0, bit 0
    p.setPixel(7, 0, 0xFF000000);   // byte 0, bit 7
    p.setPixel(9, 0, 0xFFFF0000);   // red: byte 1, bit 1
    p.setPixel(100, 0, 0xFF00FF00); // green: byte 12, bit 4
    p.setPixel(215, 0, 0xFFFEFEFE); // light grey: byte 26, bit 7
    for (int x = 0; x < 8; ++x)
        p.setPixel(x, 2, 0xFF202020);
    p.setPixel(208, 2, 0xFF000000); // byte 26, bit 0
    return p;
}

struct PackCase {
    int row;
    const char *hex;
};

class RowPacking : public ::testing::TestWithParam<PackCase> {};

TEST_P(RowPacking, KnownPictureGivesKnownBytes)
{
    EXPECT_EQ(LogoPicture::packRow(knownPicture(), GetParam().row).toHex(' ').toUpper(),
              hexBytes(GetParam().hex).toHex(' ').toUpper());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowPacking,
    ::testing::Values(PackCase{0, "81 02 00 00 00 00 00 00 00 00 00 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 80"},
                      PackCase{1, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
                      PackCase{2, "FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01"},
                      // beyond the picture: blank
                      PackCase{3, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
                      PackCase{-1, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}));

TEST(RowPacking, NarrowPictureLeavesTheRightColumnsBlank)
{
    QImage p(100, 1, QImage::Format_RGB32);
    p.fill(0xFF000000);
    EXPECT_EQ(LogoPicture::packRow(p, 0),
              hexBytes("FF FF FF FF FF FF FF FF FF FF FF FF 0F 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
}

TEST(RowPacking, NullPictureGivesABlankRow)
{
    EXPECT_EQ(LogoPicture::packRow(QImage(), 0), QByteArray(27, '\0'));
}

// ---- drawing rows ------------------------------------------------------------

TEST(RowDrawing, DrawnRowPacksBackToItsBytes)
{
    const QByteArray row = hexBytes("01 80 55 AA FF 00 0F F0 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF 00 12 34 81");
    QImage p = LogoPicture::blank(2);
    LogoPicture::drawRow(p, 1, row);
    EXPECT_EQ(LogoPicture::packRow(p, 1), row);
    EXPECT_EQ(LogoPicture::packRow(p, 0), QByteArray(27, '\0'));
    EXPECT_EQ(p.pixel(0, 1), 0xFF000000u);
    EXPECT_EQ(p.pixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(p.pixel(15, 1), 0xFF000000u);
}

TEST(RowDrawing, DotsAreBlackAndBlanksPureWhite)
{
    QImage p = LogoPicture::blank(1);
    p.fill(0xFF808080);
    LogoPicture::drawRow(p, 0, hexBytes("01"));
    EXPECT_EQ(p.pixel(0, 0), 0xFF000000u);
    // Bytes missing from a short row are blank.
    for (int x = 1; x < 216; ++x)
        ASSERT_EQ(p.pixel(x, 0), 0xFFFFFFFFu) << x;
}

TEST(RowDrawing, RowsOutsideThePictureDrawNothing)
{
    QImage p = LogoPicture::blank(2);
    const QImage before = p;
    LogoPicture::drawRow(p, 2, QByteArray(27, char(0xFF)));
    LogoPicture::drawRow(p, -1, QByteArray(27, char(0xFF)));
    LogoPicture::drawRow(p, 255, QByteArray(27, char(0xFF)));
    EXPECT_EQ(p, before);
}

// ---- bounds --------------------------------------------------------------------

struct BoundCase {
    int width, height;
    int keptWidth, keptHeight;
};

class PictureBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(PictureBounds, KeptSizeIsTheTopLeftPart)
{
    const BoundCase &c = GetParam();
    QImage loaded(c.width, c.height, QImage::Format_RGB32);
    loaded.fill(0xFFFFFFFF);
    loaded.setPixel(0, 0, 0xFF0000FF);
    loaded.setPixel(c.width - 1, c.height - 1, 0xFF000000);
    const QImage kept = LogoPicture::bounded(loaded);
    EXPECT_EQ(kept.width(), c.keptWidth);
    EXPECT_EQ(kept.height(), c.keptHeight);
    if (c.width > 1) {
        EXPECT_EQ(kept.pixel(0, 0), 0xFF0000FFu); // colours are kept
    }
    const bool cornerInside = c.width <= 216 && c.height <= 198;
    EXPECT_EQ(LogoPicture::isDot(kept.pixel(kept.width() - 1, kept.height() - 1)), cornerInside);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureBounds,
                         ::testing::Values(BoundCase{216, 198, 216, 198}, BoundCase{100, 50, 100, 50},
                                           BoundCase{300, 198, 216, 198}, BoundCase{216, 250, 216, 198},
                                           BoundCase{300, 250, 216, 198}, BoundCase{1, 1, 1, 1}));

TEST(PictureBounds, TransparencyIsPaperWhite)
{
    QImage loaded(16, 2, QImage::Format_ARGB32);
    loaded.fill(0x00000000);               // fully transparent black
    loaded.setPixel(3, 0, 0xFF000000);     // opaque black
    loaded.setPixel(4, 0, 0x80000000);     // half transparent black: a dot
    loaded.setPixel(5, 1, 0x01000000);     // nearly transparent: still not white
    const QImage kept = LogoPicture::bounded(loaded);
    EXPECT_EQ(LogoPicture::packRow(kept, 0).left(2), hexBytes("18 00"));
    EXPECT_EQ(LogoPicture::packRow(kept, 1).left(2), hexBytes("20 00"));
}

TEST(PictureBounds, NullStaysNullAndBlankIsBounded)
{
    EXPECT_TRUE(LogoPicture::bounded(QImage()).isNull());
    EXPECT_EQ(LogoPicture::blank().size(), QSize(216, 198));
    EXPECT_EQ(LogoPicture::blank(0).size(), QSize(216, 1));
    EXPECT_EQ(LogoPicture::blank(255).size(), QSize(216, 198));
    EXPECT_EQ(LogoPicture::packRow(LogoPicture::blank(), 197), QByteArray(27, '\0'));
}

} // namespace
