#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

// The logo picture and its rows on the wire. The register prints 216 dots a
// row and at most 198 rows; a row travels as 27 bytes, byte b holding columns
// 8b..8b+7 with the least significant bit leftmost, a set bit a printed dot.
namespace LogoPicture {

constexpr int Width = 216;
constexpr int MaxHeight = 198;
constexpr int RowBytes = 27;

// Any colour but pure white is a printed dot.
bool isDot(QRgb pixel);

// A white picture of the given size (height bounded to 1..198).
QImage blank(int height = MaxHeight);

// A loaded picture as the logo keeps it: opaque (transparent parts shown as
// the white of the paper, so they are not printed), in a format with pixel
// access, cut to its top-left 216 x 198 part. A null picture gives a null image.
QImage bounded(const QImage &loaded);

// The 27 bytes of row y; columns beyond the picture's width (and rows beyond
// its height) are blank.
QByteArray packRow(const QImage &picture, int y);

// Draws the 27 bytes of a row into row y: set bits black, clear bits white.
// Nothing is drawn for a row outside the picture; missing bytes are blank.
void drawRow(QImage &picture, int y, const QByteArray &row);

} // namespace LogoPicture
