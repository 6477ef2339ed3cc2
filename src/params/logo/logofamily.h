#pragma once

#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"
#include "params/logo/logopasswordrecord.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The merchant's graphic logo: the picture shown on screen, loaded from a
// picture file, read from the register row by row (103, then 119 for each
// row, the next row following the row number of each reply) and written row
// by row (103 for the passwords, 120 for each row, then 104 with the new
// height). Owns the logo and password record that the passwords share.
class LogoFamily : public ParameterFamily {
    Q_OBJECT
public:
    LogoFamily(FamilyContext &ctx, QObject *parent = nullptr);

    // The record and pending operation shared with the passwords.
    LogoPasswordRecord &record() { return m_record; }
    // The row transfer (commands 119 and 120).
    TransferEngine &rows() { return *m_rows; }

    const QImage &picture() const { return m_picture; }
    // The rows a whole transfer carries: the picture's height.
    int recordCount() const override { return m_picture.height(); }
    TransferEngine *reportedTransfer() override { return m_rows; }
    QByteArray tableDigest() override;
    // Takes a picture as the logo keeps it (see LogoPicture::bounded); a
    // null picture is refused and false returned.
    bool setPicture(const QImage &picture);
    // Loads a picture file into the logo. A file that does not load leaves
    // the picture as it was and reports the loader's error.
    bool loadPictureFile(const QString &path);

    // Start-up state: a blank 216 x 198 picture, nothing pending.
    void reset();

public slots:
    void btnLogoReadClick();
    void btnLogoWriteClick();

signals:
    // The picture was replaced or one of its rows redrawn.
    void pictureChanged();
    // A picture file replaced the logo.
    void pictureLoaded();
    // The register acknowledged the record that ends a logo write.
    void writeCompleted();

protected:
    void startRead() override { btnLogoReadClick(); }
    void startWrite() override { btnLogoWriteClick(); }

private:
    void onRecordForRead();
    void onRecordForWrite();

    TransferEngine *m_rows = nullptr;
    LogoPasswordRecord m_record;
    QImage m_picture;
};
