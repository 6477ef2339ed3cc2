// The logo picture loader on arbitrary picture files: a picture that loads
// becomes a logo of 216 dots a row and at most 198 rows, and its rows go to
// the wire and come back unchanged.
#include "link/exchangedriver.h"
#include "params/logo/logofamily.h"
#include "params/logo/logopicture.h"
#include "replyharness.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("logo"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    Link link(Regional::comma());
    LogoFamily logo(link.context);
    const QImage before = logo.picture();
    if (!logo.loadPictureFile(path)) {
        check(logo.picture() == before);
        return 0;
    }
    const QImage &picture = logo.picture();
    check(!picture.isNull());
    check(picture.width() <= LogoPicture::Width && picture.height() <= LogoPicture::MaxHeight);
    QImage copy = LogoPicture::blank(picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const QByteArray row = LogoPicture::packRow(picture, y);
        check(row.size() == LogoPicture::RowBytes);
        LogoPicture::drawRow(copy, y, row);
        check(LogoPicture::packRow(copy, y) == row);
    }
    return 0;
}
