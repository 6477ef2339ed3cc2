#include "params/logo/logopasswordrecord.h"

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

LogoPasswordRecord::LogoPasswordRecord(ExchangeDriver &driver, QObject *parent) : QObject(parent), m_driver(driver)
{
    m_driver.setReplyHandler(Command::ReadLogoInfo, [this](const QByteArray &frame) { onReadReply(frame); });
    m_driver.setReplyHandler(Command::WriteLogoInfo, [this](const QByteArray &frame) { onWriteReply(frame); });
}

void LogoPasswordRecord::setBranch(Operation operation, Branch branch)
{
    m_branches[std::size_t(operation)] = std::move(branch);
}

const LogoPasswordRecord::Branch &LogoPasswordRecord::branch() const { return m_branches[std::size_t(m_pending)]; }

void LogoPasswordRecord::sendRead() { m_driver.send(Command::ReadLogoInfo); }

void LogoPasswordRecord::sendWrite(std::uint32_t servicePassword, std::uint32_t reportPassword)
{
    Record record;
    record.servicePassword = servicePassword;
    record.reportPassword = reportPassword;
    // The height is a byte on the wire; the system never counts beyond 255.
    record.logoHeight = std::uint8_t(qBound(0, m_logoHeight, 255));
    m_driver.send(Command::WriteLogoInfo, encode(record));
}

void LogoPasswordRecord::reset()
{
    m_pending = Operation::None;
    m_stored = Record();
    m_logoHeight = 0;
    m_heightKnown = false;
}

void LogoPasswordRecord::onReadReply(const QByteArray &frame)
{
    Record record;
    if (!parseReply(frame, &record)) {
        // A record cut short would bring zero passwords back into the
        // register: nothing of it is kept and the operation ends.
        const Branch &b = branch();
        m_pending = Operation::None;
        if (b.badRecord)
            b.badRecord();
        return;
    }
    m_stored = record;
    m_logoHeight = record.logoHeight;
    m_heightKnown = true;
    const Branch &b = branch();
    if (b.recordRead)
        b.recordRead();
}

void LogoPasswordRecord::onWriteReply(const QByteArray &)
{
    const Branch &b = branch();
    if (b.recordWritten)
        b.recordWritten();
}
