#include "params/passwords/passwordfamily.h"

#include "params/common/celltext.h"
#include "params/common/familytexts.h"
#include "transfer/tabledigest.h"
#include "transfer/transferengine.h"

namespace {
using Op = LogoPasswordRecord::Operation;
} // namespace

PasswordFamily::PasswordFamily(FamilyContext &, LogoPasswordRecord &record, QObject *parent)
    : ParameterFamily(parent), m_record(&record)
{
    record.setBranch(Op::PasswordRead, {this, [this] {
                                            m_service = QString::number(m_record->servicePassword());
                                            m_report = QString::number(m_record->reportPassword());
                                            emit passwordsRead(m_service, m_report);
                                            m_record->complete(QStringLiteral("Завршено читање лозинки"));
                                        }, nullptr});
    record.setBranch(Op::PasswordWrite, {this, nullptr, [this] {
                                             m_record->complete(QStringLiteral("Завршен упис лозинки"));
                                             emit writeCompleted();
                                         }});
    setId(FamilyId::Passwords);
    connect(this, &PasswordFamily::passwordsRead, this, [this] { endAction(TransferOutcome::Completed); });
    connect(this, &PasswordFamily::writeCompleted, this, [this] { endAction(TransferOutcome::Completed); });
    connect(&record.transfer(), &TransferEngine::ended, this, [this](bool, TransferOutcome outcome) {
        if (outcome != TransferOutcome::Completed)
            endAction(outcome);
    });
}

PasswordFamily::~PasswordFamily()
{
    if (m_record) {
        m_record->setBranch(Op::PasswordRead, {});
        m_record->setBranch(Op::PasswordWrite, {});
    }
}

std::optional<std::uint32_t> PasswordFamily::parse(const QString &text)
{
    // Blanks and control characters (codes up to 32) around the digits go.
    const QString digits = CellText::trimControls(text);
    if (digits.size() < 1 || digits.size() > MaxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (QChar ch : digits) {
        const char16_t c = ch.unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + std::uint32_t(c - u'0');
    }
    return value;
}

void PasswordFamily::BtnLozinkaReadClick()
{
    beginAction();
    if (!m_record)
        return;
    emit readStarted();
    m_record->begin(Op::PasswordRead, FamilyTexts::Reading);
    m_record->sendRead();
}

void PasswordFamily::BtnLozinkaWriteClick()
{
    beginAction();
    if (!m_record)
        return;
    m_record->begin(Op::PasswordWrite, FamilyTexts::Reading);
    const std::optional<std::uint32_t> service = parse(m_service);
    const std::optional<std::uint32_t> report = parse(m_report);
    // Without a record from the register there is no logo height to send
    // back; writing one would cut the register's logo.
    const QString refusal = !service || !report        ? QStringLiteral("Лоше лозинке!")
                            : !m_record->heightKnown() ? QStringLiteral("Прво прочитаjте лозинке из касе!")
                                                       : QString();
    if (!refusal.isEmpty()) {
        m_record->finish();
        emit message(QStringLiteral("ГРЕШКА"), refusal);
        endAction(TransferOutcome::Refused);
        return;
    }
    m_record->sendWrite(*service, *report);
}

QByteArray PasswordFamily::tableDigest() { return TableDigest::ofTexts({m_service, m_report}); }
