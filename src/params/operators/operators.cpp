#include "params/operators/operators.h"

#include "link/commands.h"
#include "link/fields.h"
#include "link/frame.h"
#include "params/operators/operatorrecord.h"

namespace {
const QString Reading = QStringLiteral("Читање оператера у току");
const QString ReadDone = QStringLiteral("Завршено читање оператера");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис оператера");
const QString DataErrorTitle = QStringLiteral("Грешка !!! ");
const QString DataErrorText = QStringLiteral("Грешка у подацима. Унос отказан!");
} // namespace

Operators::Operators(FamilyContext &ctx, QObject *parent) : ParameterFamily(parent), m_ctx(ctx), m_table(this)
{
    m_ctx.driver.setReplyHandler(Command::ReadOperator,
                                 [this](const QByteArray &frame) { guarded([&] { onReadReply(frame); }); });
    m_ctx.driver.setReplyHandler(Command::WriteOperator,
                                 [this](const QByteArray &frame) { guarded([&] { onWriteReply(frame); }); });
}

void Operators::BtnOReadClick()
{
    guarded([&] {
        emit readStarted();
        m_ctx.driver.setTransferIndex(0);
        emit status(Reading);
        m_ctx.driver.send(Command::ReadOperator, OperatorRecord::readRequest(0));
    });
}

void Operators::onReadReply(const QByteArray &frame)
{
    const int n = Fields::byteAt(frame, Frame::LengthOffset);
    const OperatorRecord::Reply reply =
        OperatorRecord::readReply(frame.mid(Frame::DataOffset, n), m_ctx.regional.decimal);
    emit progress((qMin(reply.index, 0xFF) + 1) / 2);
    // A record cut short fills nothing; the read still follows its index.
    if (reply.complete && reply.index < OperatorTable::OperatorCount) {
        QStringList cells = {reply.name, reply.password};
        cells << reply.amounts;
        m_table.setCells(reply.index + 1, OperatorTable::Name, cells);
    }
    if (reply.index + 1 >= OperatorTable::OperatorCount) {
        emit progress(0);
        emit status(ReadDone);
        return;
    }
    m_ctx.driver.send(Command::ReadOperator, OperatorRecord::readRequest(reply.index + 1));
}

void Operators::BtnOWriteClick()
{
    guarded([&] {
        m_ctx.driver.setTransferIndex(0);
        emit status(Writing);
        emit progress(1);
        m_writing = true;
        sendWrite();
    });
}

void Operators::sendWrite()
{
    const int index = m_ctx.driver.transferIndex();
    // Cleared until the request is out: a refusal or a conversion error ends
    // the write, and a late acknowledgement then continues nothing.
    m_writing = false;
    if (index < 0 || index >= OperatorTable::OperatorCount)
        return; // the shared index was moved by another transfer
    const OperatorRecord::Password password =
        OperatorRecord::convertPassword(m_table.operatorCell(index, OperatorTable::Password));
    if (!password.accepted) {
        emit message(DataErrorTitle, DataErrorText);
        return;
    }
    const QByteArray data =
        OperatorRecord::writeRequest(index, m_table.operatorCell(index, OperatorTable::Name), password.value);
    m_writing = true;
    m_ctx.driver.send(Command::WriteOperator, data);
}

void Operators::onWriteReply(const QByteArray &)
{
    if (!m_writing)
        return;
    const int next = m_ctx.driver.transferIndex() + 1;
    m_ctx.driver.setTransferIndex(next);
    if (next >= OperatorTable::OperatorCount) {
        m_writing = false;
        emit progress(0);
        emit status(WriteDone);
        return;
    }
    emit progress(1);
    sendWrite();
}
