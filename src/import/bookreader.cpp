#include "import/bookreader.h"

#include "import/csvreader.h"
#include "import/odsreader.h"
#include "import/xlsxreader.h"
#include "import/ziparchive.h"

#include <QFile>
#include <QFileInfo>

namespace BookReader {

namespace {

Workbook refused(const QString &text)
{
    Workbook book;
    book.error = text;
    return book;
}

} // namespace

Workbook read(const QByteArray &bytes, const QString &name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (bytes.startsWith("\xD0\xCF\x11\xE0"))
        return refused(QStringLiteral("„%1“ је у старом облику Excel-а (.xls), који се не чита: сачувајте га као "
                                      "XLSX или CSV.")
                           .arg(name));
    if (!ZipArchive::looksLikeZip(bytes)) {
        if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("ods"))
            return refused(QStringLiteral("„%1“ се не може прочитати: није зип архива какве су XLSX и ODS.").arg(name));
        return CsvReader::read(bytes, name);
    }
    ZipArchive zip(bytes);
    QString why;
    if (!zip.open(&why))
        return refused(QStringLiteral("„%1“ се не може прочитати: %2.").arg(name, why));
    if (XlsxReader::isWorkbook(zip))
        return XlsxReader::read(zip, name);
    if (OdsReader::isSpreadsheet(zip))
        return OdsReader::read(zip, name);
    return refused(QStringLiteral("„%1“ није табела: зип архива без XLSX или ODS листова.").arg(name));
}

Workbook readFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("„%1“ се не може отворити: %2.").arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("„%1“ се не може прочитати: %2.").arg(name, file.errorString()));
    return read(bytes, name);
}

} // namespace BookReader
