#include "params/passwords/passwords.h"

#include "params/common/celltext.h"

namespace {
const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање лозинки");
const QString WriteDone = QStringLiteral("Завршен упис лозинки");
const QString ErrorTitle = QStringLiteral("ГРЕШКА");
const QString BadPasswords = QStringLiteral("Лоше лозинке!");
const QString NoRecord = QStringLiteral("Прво прочитаjте лозинке из касе!");
const QString BadReplyTitle = QStringLiteral("Грешка !!! ");
const QString BadReplyText = QStringLiteral("Неисправан одговор касе. Пренос прекинут!");
using Op = LogoPasswordRecord::Operation;
} // namespace

Passwords::Passwords(FamilyContext &ctx, LogoPasswordRecord &record, QObject *parent)
    : ParameterFamily(parent), m_ctx(ctx), m_record(&record)
{
    const auto bad = [this] { guarded([&] { onBadRecord(); }); };
    record.setBranch(Op::PasswordRead, {[this] { guarded([&] { onRecordRead(); }); }, nullptr, bad});
    record.setBranch(Op::PasswordWrite, {nullptr, [this] { guarded([&] { onRecordWritten(); }); }, bad});
}

Passwords::~Passwords()
{
    if (m_record) {
        m_record->setBranch(Op::PasswordRead, {});
        m_record->setBranch(Op::PasswordWrite, {});
    }
}

std::optional<std::uint32_t> Passwords::parse(const QString &text)
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

void Passwords::BtnLozinkaReadClick()
{
    guarded([&] {
        if (!m_record)
            return;
        emit readStarted();
        m_record->begin(Op::PasswordRead);
        emit status(Reading);
        m_record->sendRead();
    });
}

void Passwords::BtnLozinkaWriteClick()
{
    guarded([&] {
        if (!m_record)
            return;
        m_record->begin(Op::PasswordWrite);
        emit status(Reading);
        const std::optional<std::uint32_t> service = parse(m_service);
        const std::optional<std::uint32_t> report = parse(m_report);
        if (!service || !report) {
            m_record->finish();
            emit message(ErrorTitle, BadPasswords);
            return;
        }
        // Without a record from the register there is no logo height to
        // send back; writing one would cut the register's logo.
        if (!m_record->heightKnown()) {
            m_record->finish();
            emit message(ErrorTitle, NoRecord);
            return;
        }
        m_record->sendWrite(*service, *report);
    });
}

void Passwords::onRecordRead()
{
    m_record->finish();
    m_service = QString::number(m_record->servicePassword());
    m_report = QString::number(m_record->reportPassword());
    emit passwordsRead(m_service, m_report);
    emit progress(0);
    emit status(ReadDone);
}

void Passwords::onRecordWritten()
{
    m_record->finish();
    emit progress(0);
    emit status(WriteDone);
    emit writeCompleted();
}

void Passwords::onBadRecord() { emit message(BadReplyTitle, BadReplyText); }
