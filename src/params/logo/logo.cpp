#include "params/logo/logo.h"

#include "link/commands.h"
#include "link/fields.h"
#include "link/frame.h"
#include "params/logo/logopicture.h"

#include <QImageReader>

namespace {
const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање ЛОГО-а");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис Лога");
const QString BadReplyTitle = QStringLiteral("Грешка !!! ");
const QString BadReplyText = QStringLiteral("Неисправан одговор касе. Пренос прекинут!");
constexpr int RowsPerStep = 12;
using Op = LogoPasswordRecord::Operation;
} // namespace

Logo::Logo(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_ctx(ctx), m_record(ctx.driver, this), m_picture(LogoPicture::blank())
{
    m_record.setBranch(Op::LogoRead, {[this] { guarded([&] { onRecordForRead(); }); }, nullptr,
                                      [this] { guarded([&] { onBadRecord(); }); }});
    m_record.setBranch(Op::LogoWrite, {[this] { guarded([&] { onRecordForWrite(); }); },
                                       [this] { guarded([&] { onRecordWritten(); }); },
                                       [this] { guarded([&] { onBadRecord(); }); }});
    m_ctx.driver.setReplyHandler(Command::ReadLogoRow,
                                 [this](const QByteArray &frame) { guarded([&] { onRowRead(frame); }); });
    m_ctx.driver.setReplyHandler(Command::WriteLogoRow,
                                 [this](const QByteArray &frame) { guarded([&] { onRowWritten(frame); }); });
}

bool Logo::setPicture(const QImage &picture)
{
    QImage kept = LogoPicture::bounded(picture);
    if (kept.isNull())
        return false;
    m_picture = std::move(kept);
    emit pictureChanged();
    return true;
}

bool Logo::loadPictureFile(const QString &path)
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
    return loaded;
}

void Logo::reset()
{
    m_record.reset();
    m_picture = LogoPicture::blank();
    emit pictureChanged();
}

void Logo::btnLogoReadClick()
{
    guarded([&] {
        m_record.begin(Op::LogoRead);
        emit status(Reading);
        m_record.sendRead();
    });
}

void Logo::btnLogoWriteClick()
{
    guarded([&] {
        m_record.begin(Op::LogoWrite);
        emit status(Writing);
        m_record.sendRead();
    });
}

void Logo::onRecordForRead()
{
    m_picture = LogoPicture::blank(m_record.logoHeight());
    emit pictureChanged();
    emit status(Reading);
    // Row 0 is asked for even when the register reports no rows.
    sendRowRead(0);
}

void Logo::onRecordForWrite()
{
    // The passwords just received stay stored and go back with the height.
    m_record.setLogoHeight(0);
    sendRowWrite(0);
}

void Logo::onRecordWritten()
{
    m_record.finish();
    emit progress(0);
    emit status(WriteDone);
}

void Logo::onBadRecord() { emit message(BadReplyTitle, BadReplyText); }

void Logo::stopOnBadReply()
{
    m_record.finish();
    emit progress(0);
    emit message(BadReplyTitle, BadReplyText);
}

void Logo::onRowRead(const QByteArray &frame)
{
    if (m_record.pending() != Op::LogoRead)
        return; // a late reply of an operation no longer pending
    const int n = Fields::byteAt(frame, Frame::LengthOffset);
    if (n < 1 + LogoPicture::RowBytes || frame.size() < Frame::DataOffset + 1 + LogoPicture::RowBytes) {
        // A row cut short is not drawn and ends the read.
        stopOnBadReply();
        return;
    }
    const int r = Fields::byteAt(frame, Frame::DataOffset);
    LogoPicture::drawRow(m_picture, r, frame.mid(Frame::DataOffset + 1, LogoPicture::RowBytes));
    emit pictureChanged();
    emit progress((r + 1) / RowsPerStep);
    if (r + 1 < m_record.logoHeight()) {
        sendRowRead(r + 1);
        return;
    }
    m_record.finish();
    emit progress(0);
    emit status(ReadDone);
}

void Logo::onRowWritten(const QByteArray &)
{
    if (m_record.pending() != Op::LogoWrite)
        return;
    const int y = m_record.logoHeight();
    emit progress((y + 1) / RowsPerStep);
    m_record.setLogoHeight(y + 1);
    if (y + 1 < m_picture.height()) {
        sendRowWrite(y + 1);
        return;
    }
    m_record.sendWrite(m_record.servicePassword(), m_record.reportPassword());
}

void Logo::sendRowRead(int row) { m_ctx.driver.send(Command::ReadLogoRow, QByteArray(1, char(row))); }

void Logo::sendRowWrite(int row)
{
    QByteArray data(1, char(row));
    data.append(LogoPicture::packRow(m_picture, row));
    m_ctx.driver.send(Command::WriteLogoRow, data);
}
