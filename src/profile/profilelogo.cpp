#include "profile/profilelogo.h"

#include "catalogue/familycatalogue.h"

#include <QBuffer>

namespace ProfileLogo {

const QString FileName = FamilyCatalogue::find(FamilyId::Logo)->profileFile;

namespace {
bool isDot(QRgb pixel) { return !(qRed(pixel) == 255 && qGreen(pixel) == 255 && qBlue(pixel) == 255); }
} // namespace

QImage normalised(const QImage &picture)
{
    QImage result(Width, Height, QImage::Format_RGB32);
    result.fill(Qt::white);
    // Transparent parts are the paper: composed onto white before the dot rule.
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < qMin(Height, source.height()); ++y) {
        for (int x = 0; x < qMin(Width, source.width()); ++x) {
            const QRgb p = source.pixel(x, y);
            const int a = qAlpha(p);
            const auto onWhite = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
            if (isDot(qRgb(onWhite(qRed(p)), onWhite(qGreen(p)), onWhite(qBlue(p)))))
                result.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    return result;
}

QByteArray toPng(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    normalised(picture).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(&buffer, "PNG");
    return bytes;
}

bool fromFile(const QByteArray &bytes, QImage *picture, ProfileError *error)
{
    QImage loaded;
    if (!loaded.loadFromData(bytes)) {
        *error = ProfileError::damaged(FileName, 0, QString(), QStringLiteral("датотека није слика"));
        return false;
    }
    if (loaded.width() != Width || loaded.height() != Height) {
        *error = ProfileError::damaged(FileName, 0, QString(),
                                       QStringLiteral("слика има %1x%2 тачака, а треба %3x%4")
                                           .arg(loaded.width())
                                           .arg(loaded.height())
                                           .arg(Width)
                                           .arg(Height));
        return false;
    }
    *picture = normalised(loaded);
    return true;
}

} // namespace ProfileLogo
