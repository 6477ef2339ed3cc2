#pragma once

#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "params/logo/logopasswordrecord.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>

// The register's service password and report password, both in the logo and
// password record: read with 103, written with 104 together with the logo
// height the record last carried, so that the register keeps its logo.
class PasswordFamily : public ParameterFamily {
    Q_OBJECT
public:
    static constexpr int MaxDigits = 6;

    // `record` is the one the logo owns. Should it be destroyed first, the
    // passwords stop using it.
    PasswordFamily(FamilyContext &ctx, LogoPasswordRecord &record, QObject *parent = nullptr);
    ~PasswordFamily() override;

    QString serviceText() const { return m_service; }
    QString reportText() const { return m_report; }
    // The user's edits of the two fields (no signal back).
    void setServiceText(const QString &text) { m_service = text; }
    void setReportText(const QString &text) { m_report = text; }

    // A field's value: the text without surrounding blanks and control
    // characters must be 1 to 6 decimal digits.
    static std::optional<std::uint32_t> parse(const QString &text);

    int recordCount() const override { return 1; }
    QByteArray tableDigest() override;

public slots:
    void BtnLozinkaReadClick();
    void BtnLozinkaWriteClick();

signals:
    // A record was read: the two fields show its passwords.
    void passwordsRead(const QString &service, const QString &report);
    // The register acknowledged a password write.
    void writeCompleted();

protected:
    void startRead() override { BtnLozinkaReadClick(); }
    void startWrite() override { BtnLozinkaWriteClick(); }

private:
    QPointer<LogoPasswordRecord> m_record;
    QString m_service;
    QString m_report;
};
