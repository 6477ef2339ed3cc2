#include "params/logo/logopicture.h"


namespace LogoPicture {

namespace {
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Black = 0xFF000000u;
} // namespace

bool isDot(QRgb pixel) { return (pixel & 0x00FFFFFFu) != 0x00FFFFFFu; }

QImage blank(int height)
{
    QImage image(Width, qBound(1, height, MaxHeight), QImage::Format_RGB32);
    image.fill(White);
    return image;
}

QImage bounded(const QImage &loaded)
{
    if (loaded.isNull())
        return QImage();
    const int w = qBound(1, loaded.width(), Width);
    const int h = qBound(1, loaded.height(), MaxHeight);
    const QImage source = loaded.copy(0, 0, w, h).convertToFormat(QImage::Format_ARGB32);
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = source.pixel(x, y);
            const int a = qAlpha(p);
            // Over white paper: a fully opaque pixel keeps its colour, a
            // fully transparent one is white.
            auto over = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            image.setPixel(x, y, qRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p))));
        }
    }
    return image;
}

QByteArray packRow(const QImage &picture, int y)
{
    QByteArray row(RowBytes, '\0');
    if (picture.isNull() || y < 0 || y >= picture.height())
        return row;
    const int columns = qMin(picture.width(), Width);
    for (int x = 0; x < columns; ++x)
        if (isDot(picture.pixel(x, y)))
            row[x / 8] = char(quint8(row[x / 8]) | (1u << (x % 8)));
    return row;
}

void drawRow(QImage &picture, int y, const QByteArray &row)
{
    if (picture.isNull() || y < 0 || y >= picture.height())
        return;
    const int columns = qMin(picture.width(), Width);
    for (int x = 0; x < columns; ++x) {
        const int b = x / 8;
        const bool dot = b < row.size() && (quint8(row[b]) >> (x % 8) & 1u);
        picture.setPixel(x, y, dot ? Black : White);
    }
}

} // namespace LogoPicture
