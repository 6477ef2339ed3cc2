#include "params/logo/logopasswordrecord.h"

#include "params/common/familytexts.h"
#include "transfer/transferengine.h"
#include "protocol/commands.h"
#include "protocol/fields.h"
#include "protocol/frame.h"

bool LogoPasswordRecord::parseReply(const QByteArray &frame, Record *record)
{
    const int n = Fields::byteAt(frame, Frame::LengthOffset);
    if (n < RecordSize || frame.size() < Frame::DataOffset + RecordSize)
        return false;
    const QByteArray data = frame.mid(Frame::DataOffset, RecordSize);
    record->servicePassword = Fields::getU32(data, 0);
    record->reportPassword = Fields::getU32(data, 4);
    record->logoHeight = Fields::byteAt(data, 8);
    return true;
}

QByteArray LogoPasswordRecord::encode(const Record &record)
{
    QByteArray data(RecordSize, '\0');
    Fields::putU32(data, 0, record.servicePassword);
    Fields::putU32(data, 4, record.reportPassword);
    data[8] = char(record.logoHeight);
    return data;
}

LogoPasswordRecord::LogoPasswordRecord(ExchangeDriver &driver, QObject *parent) : ParameterFamily(parent)
{
    // One record, no number in it: every reply is the record. The engine
    // shows nothing itself; the branches tell their families.
    TransferRules r(QStringLiteral("logopassword"), Command::ReadLogoInfo, Command::WriteLogoInfo, 1,
                    TransferRules::Next::ReplyIndex);
    r.readEndProgress = {};
    r.writeEndProgress = {};
    r.readRequest = [](int) { return QByteArray(); };
    r.replyIndex = [](const QByteArray &) { return 0; };
    // A record cut short would bring zero passwords back into the register:
    // nothing of it is kept and the operation ends.
    r.endsCutShort = [this](const QByteArray &frame) {
        Record record;
        if (parseReply(frame, &record))
            return false;
        ParameterFamily *family = branch().family;
        finish();
        if (family)
            emit family->message(FamilyTexts::BadReplyTitle, FamilyTexts::BadReplyText);
        return true;
    };
    r.storeRead = [this](int, const QByteArray &frame) {
        parseReply(frame, &m_stored);
        m_logoHeight = m_stored.logoHeight;
        m_heightKnown = true;
        return true;
    };
    // A record read, as a write would carry it (the mirror keeps it).
    r.readAsWrite = [](int, const QByteArray &frame) { return TransferEngine::dataPart(frame).left(RecordSize); };
    r.writeRequest = [this](int) { return std::optional<QByteArray>(encode(m_outgoing)); };
    r.finished = [this](bool write) {
        const Branch &b = branch();
        if (const auto &next = write ? b.recordWritten : b.recordRead)
            next();
    };
    m_engine = new TransferEngine(driver, *this, std::move(r));
    // Errors in a branch go to the family of the pending operation.
    connect(this, &ParameterFamily::programError, this, [this](const QString &text) {
        if (ParameterFamily *family = branch().family)
            emit family->programError(text);
    });
}

void LogoPasswordRecord::setBranch(Operation operation, Branch branch)
{
    m_branches[std::size_t(operation)] = std::move(branch);
}

void LogoPasswordRecord::begin(Operation operation, const QString &status)
{
    m_pending = operation;
    if (ParameterFamily *family = branch().family)
        emit family->status(status);
}

void LogoPasswordRecord::complete(const QString &status)
{
    ParameterFamily *family = branch().family;
    finish();
    if (!family)
        return;
    emit family->progress(0);
    emit family->status(status);
}

void LogoPasswordRecord::sendRead() { m_engine->read(); }

void LogoPasswordRecord::sendWrite(std::uint32_t servicePassword, std::uint32_t reportPassword)
{
    m_outgoing.servicePassword = servicePassword;
    m_outgoing.reportPassword = reportPassword;
    // The height is a byte on the wire; the system never counts beyond 255.
    m_outgoing.logoHeight = std::uint8_t(qBound(0, m_logoHeight, 255));
    m_engine->write();
}

void LogoPasswordRecord::reset()
{
    m_pending = Operation::None;
    m_stored = Record();
    m_logoHeight = 0;
    m_heightKnown = false;
}
