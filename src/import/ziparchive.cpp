#include "import/ziparchive.h"

#include <quazip.h>
#include <quazipfile.h>

ZipArchive::ZipArchive(const QByteArray &bytes) : m_bytes(bytes), m_buffer(&m_bytes)
{
}

ZipArchive::~ZipArchive()
{
    if (m_zip && m_zip->isOpen())
        m_zip->close();
}

bool ZipArchive::open(QString *why)
{
    m_zip = std::make_unique<QuaZip>(&m_buffer);
    if (!m_zip->open(QuaZip::mdUnzip)) {
        *why = QStringLiteral("зип архива је оштећена (грешка %1)").arg(m_zip->getZipError());
        return false;
    }
    m_members = m_zip->getFileNameList();
    if (m_zip->getZipError() != UNZ_OK) {
        *why = QStringLiteral("садржај зип архиве је оштећен (грешка %1)").arg(m_zip->getZipError());
        return false;
    }
    return true;
}

bool ZipArchive::read(const QString &member, QByteArray *content, QString *why)
{
    if (!m_zip || !m_zip->setCurrentFile(member, QuaZip::csSensitive)) {
        *why = QStringLiteral("у архиви нема дела %1").arg(member);
        return false;
    }
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("део %1 се не може отворити (грешка %2)").arg(member).arg(file.getZipError());
        return false;
    }
    content->clear();
    char chunk[64 * 1024];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0) {
            file.close();
            *why = QStringLiteral("део %1 је оштећен").arg(member);
            return false;
        }
        if (n == 0)
            break;
        if (content->size() + n > MemberLimit) {
            file.close();
            *why = QStringLiteral("део %1 је већи од %2 MB").arg(member).arg(MemberLimit / (1024 * 1024));
            return false;
        }
        content->append(chunk, qsizetype(n));
    }
    file.close();
    // Closing checks the member's CRC: a damaged byte shows here at the latest.
    if (file.getZipError() != UNZ_OK) {
        *why = QStringLiteral("део %1 је оштећен (грешка %2)").arg(member).arg(file.getZipError());
        return false;
    }
    return true;
}
