#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QuaZip;

// The members of a zip file held in memory (XLSX and ODS are zip files of
// XML), read through QuaZip. A damaged archive or member gives false and the
// reason; a member larger than the limit is refused rather than read, so a
// small file that unpacks to gigabytes cannot exhaust the memory.
class ZipArchive {
public:
    static constexpr qint64 MemberLimit = 512ll * 1024 * 1024;

    explicit ZipArchive(const QByteArray &bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // False when the bytes are no readable zip file.
    bool open(QString *why);
    QStringList members() const { return m_members; }
    bool has(const QString &member) const { return m_members.contains(member); }
    bool read(const QString &member, QByteArray *content, QString *why);

    // A zip file starts with a local file header.
    static bool looksLikeZip(const QByteArray &bytes) { return bytes.startsWith("PK\x03\x04"); }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QuaZip> m_zip;
    QStringList m_members;
};
