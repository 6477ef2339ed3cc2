#include "params/groups/groups.h"

#include "link/commands.h"
#include "link/fields.h"
#include "link/frame.h"
#include "params/groups/grouprecord.h"

namespace {
const QString Reading = QStringLiteral("Читање група у току");
const QString ReadDone = QStringLiteral("Завршено читање група");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис група");
const QString DataErrorTitle = QStringLiteral("Грешка !!! ");
const QString DataErrorText = QStringLiteral("Грешка у подацима. Унос отказан!");
constexpr int FullProgress = 16;
} // namespace

Groups::Groups(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_ctx(ctx), m_table(ctx.regional.decimal, this)
{
    m_ctx.driver.setReplyHandler(Command::ReadGroup,
                                 [this](const QByteArray &frame) { guarded([&] { onReadReply(frame); }); });
    m_ctx.driver.setReplyHandler(Command::WriteGroup,
                                 [this](const QByteArray &frame) { guarded([&] { onWriteReply(frame); }); });
}

void Groups::BtnGReadClick()
{
    guarded([&] {
        emit readStarted();
        m_ctx.driver.setTransferIndex(0);
        emit status(Reading);
        m_ctx.driver.send(Command::ReadGroup, GroupRecord::readRequest(0));
    });
}

void Groups::onReadReply(const QByteArray &frame)
{
    emit progress(FullProgress);
    const int n = Fields::byteAt(frame, Frame::LengthOffset);
    const GroupRecord::Reply reply =
        GroupRecord::readReply(frame.mid(Frame::DataOffset, n), m_ctx.regional.decimal);
    // A record cut short fills nothing; the read still follows its number.
    if (reply.complete && reply.group < GroupTable::GroupCount)
        m_table.setCells(reply.group + 1, GroupTable::Name, {reply.name, reply.share, reply.turnover});
    if (reply.group + 1 >= GroupTable::GroupCount) {
        emit progress(0);
        emit status(ReadDone);
        return;
    }
    m_ctx.driver.send(Command::ReadGroup, GroupRecord::readRequest(reply.group + 1));
}

void Groups::BtnGWriteClick()
{
    guarded([&] {
        m_ctx.driver.setTransferIndex(0);
        emit status(Writing);
        emit progress(1);
        m_writing = true;
        sendWrite();
    });
}

void Groups::sendWrite()
{
    const int group = m_ctx.driver.transferIndex();
    // Cleared until the request is out: a refusal or a conversion error ends
    // the write, and a late acknowledgement then continues nothing.
    m_writing = false;
    if (group < 0 || group >= GroupTable::GroupCount)
        return; // the shared index was moved by another transfer
    const GroupRecord::Share share =
        GroupRecord::convertShare(m_table.groupCell(group, GroupTable::Share), m_ctx.regional);
    if (!share.accepted) {
        emit message(DataErrorTitle, DataErrorText);
        return;
    }
    const QByteArray data = GroupRecord::writeRequest(group, m_table.groupCell(group, GroupTable::Name), share.wire);
    m_writing = true;
    m_ctx.driver.send(Command::WriteGroup, data);
}

void Groups::onWriteReply(const QByteArray &)
{
    if (!m_writing)
        return;
    const int next = m_ctx.driver.transferIndex() + 1;
    m_ctx.driver.setTransferIndex(next);
    if (next >= GroupTable::GroupCount) {
        m_writing = false;
        emit progress(0);
        emit status(WriteDone);
        return;
    }
    emit progress(1);
    sendWrite();
}
