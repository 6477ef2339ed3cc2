#include "params/logo/logofamily.h"

#include "catalogue/familycatalogue.h"
#include "protocol/commands.h"
#include "params/common/familytexts.h"
#include "params/logo/logopicture.h"

#include <QCryptographicHash>
#include <QImageReader>

namespace {
constexpr int RowsPerStep = 12;
using Op = LogoPasswordRecord::Operation;
} // namespace

LogoFamily::LogoFamily(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_record(ctx.driver, this), m_picture(LogoPicture::blank())
{
    m_record.setBranch(Op::LogoRead, {this, [this] { onRecordForRead(); }, nullptr});
    m_record.setBranch(Op::LogoWrite, {this, [this] { onRecordForWrite(); }, [this] {
                                           m_record.complete(QStringLiteral("Завршен упис Лога"));
                                           emit writeCompleted();
                                       }});
    // The row count is the logo height, set when each transfer starts.
    TransferRules r(FamilyCatalogue::key(FamilyId::Logo), Command::ReadLogoRow, Command::WriteLogoRow, 0,
                    TransferRules::Next::ReplyIndex);
    r.texts(FamilyTexts::Reading, QStringLiteral("Завршено читање ЛОГО-а"), QString(), QString());
    r.firstRecordNumber = 0; // dot rows count from 0 at the top
    r.readProgress = [](int row, bool) { return (row + 1) / RowsPerStep; };
    r.writeProgress = r.readProgress;
    r.writeEndProgress = {};
    // Only the logo operation pending takes row replies; a late reply of an
    // operation no longer pending is dropped.
    r.accepts = [this](bool write) { return m_record.pending() == (write ? Op::LogoWrite : Op::LogoRead); };
    // A row cut short is not drawn and ends the read.
    r.endsCutShort = [this](const QByteArray &frame) {
        if (TransferEngine::dataPart(frame).size() >= 1 + LogoPicture::RowBytes)
            return false;
        m_record.finish();
        emit progress(0);
        emit message(FamilyTexts::BadReplyTitle, FamilyTexts::BadReplyText);
        return true;
    };
    r.storeRead = [this](int row, const QByteArray &frame) {
        LogoPicture::drawRow(m_picture, row, TransferEngine::dataPart(frame).mid(1, LogoPicture::RowBytes));
        emit pictureChanged();
        return true;
    };
    r.readAsWrite = [](int, const QByteArray &frame) {
        return TransferEngine::dataPart(frame).left(1 + LogoPicture::RowBytes);
    };
    r.writeRequest = [this](int row) {
        return std::optional<QByteArray>(QByteArray(1, char(row)) + LogoPicture::packRow(m_picture, row));
    };
    // The logo height counts the rows written; after the last row the record
    // goes back with the passwords just received and the new height.
    r.recordDone = [this](int row) {
        if (m_record.pending() == Op::LogoWrite)
            m_record.setLogoHeight(row + 1);
    };
    r.finishing = [this](bool write) {
        if (!write)
            m_record.finish();
    };
    r.finished = [this](bool write) {
        if (write)
            m_record.sendWrite(m_record.servicePassword(), m_record.reportPassword());
    };
    m_rows = new TransferEngine(ctx.driver, *this, std::move(r));
    setId(FamilyId::Logo);
    // A read ends with its rows; a write with the record that follows them.
    connect(m_rows, &TransferEngine::ended, this, [this](bool write, TransferOutcome outcome) {
        if (!write || outcome != TransferOutcome::Completed)
            endAction(outcome);
    });
    connect(this, &LogoFamily::writeCompleted, this, [this] { endAction(TransferOutcome::Completed); });
    connect(&m_record.transfer(), &TransferEngine::ended, this, [this](bool, TransferOutcome outcome) {
        if (outcome != TransferOutcome::Completed)
            endAction(outcome);
    });
}

bool LogoFamily::setPicture(const QImage &picture)
{
    QImage kept = LogoPicture::bounded(picture);
    if (kept.isNull())
        return false;
    m_picture = std::move(kept);
    emit pictureChanged();
    return true;
}

bool LogoFamily::loadPictureFile(const QString &path)
{
    bool loaded = false;
    guarded([&] {
        QImageReader reader(path);
        // Keeps the pixels as stored: no rotation from picture metadata.
        reader.setAutoTransform(false);
        const QImage image = reader.read();
        if (image.isNull()) {
            const QString reason = reader.errorString();
            throw ProgramError(QStringLiteral("Cannot load the picture '%1': %2").arg(path, reason));
        }
        loaded = setPicture(image);
    });
    if (loaded)
        emit pictureLoaded();
    return loaded;
}

void LogoFamily::reset()
{
    m_record.reset();
    m_picture = LogoPicture::blank();
    emit pictureChanged();
}

void LogoFamily::btnLogoReadClick()
{
    beginAction();
    m_record.begin(Op::LogoRead, FamilyTexts::Reading);
    m_record.sendRead();
}

void LogoFamily::btnLogoWriteClick()
{
    beginAction();
    m_record.begin(Op::LogoWrite, FamilyTexts::Writing);
    m_record.sendRead();
}

void LogoFamily::onRecordForRead()
{
    m_picture = LogoPicture::blank(m_record.logoHeight());
    emit pictureChanged();
    // Row 0 is asked for even when the register reports no rows.
    m_rows->setRecordCount(qMax(1, m_record.logoHeight()));
    m_rows->read();
}

void LogoFamily::onRecordForWrite()
{
    // The passwords just received stay stored and go back with the height.
    m_record.setLogoHeight(0);
    m_rows->setRecordCount(m_picture.height());
    m_rows->write();
}

QByteArray LogoFamily::tableDigest()
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QImage rgb = m_picture.convertToFormat(QImage::Format_RGB32);
    const qint64 size[2] = {rgb.width(), rgb.height()};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(size), sizeof size));
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 4));
    return hash.result();
}
