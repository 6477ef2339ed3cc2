#include "params/departments/departmentfamily.h"

#include "link/commands.h"

namespace {
const QString ReadStart = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање подгрупа");
const QString WriteStart = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Успешно уписана одељења");
const QString DataErrorTitle = QStringLiteral("Грешка !!! ");
const QString DataErrorText = QStringLiteral("Грешка у подацима");
} // namespace

DepartmentFamily::DepartmentFamily(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_ctx(ctx), m_model(ctx.regional)
{
    m_ctx.driver.setReplyHandler(Command::ReadDepartment, [this](const QByteArray &f) { onReadReply(f); });
    m_ctx.driver.setReplyHandler(Command::WriteDepartment, [this](const QByteArray &f) { onWriteReply(f); });
}

void DepartmentFamily::btnSTReadClick()
{
    guarded([&] {
        emit readStarted();
        m_ctx.driver.setTransferIndex(0);
        emit status(ReadStart);
        m_ctx.driver.send(Command::ReadDepartment, DepartmentRecord::readRequest(0));
    });
}

void DepartmentFamily::onReadReply(const QByteArray &frame)
{
    guarded([&] {
        const int index = DepartmentRecord::replyIndex(frame);
        if (index >= DepartmentTableModel::RowCount)
            return; // consumed; nothing follows
        DepartmentRow row;
        DepartmentRecord::readReply(frame, m_ctx.regional, &row);
        m_model.setRow(index, row);
        // The next department asked for follows the index in the reply.
        if (index + 1 >= DepartmentTableModel::RowCount) {
            emit progress(0);
            emit status(ReadDone);
        } else {
            m_ctx.driver.send(Command::ReadDepartment, DepartmentRecord::readRequest(index + 1));
        }
    });
}

void DepartmentFamily::btnSTWriteClick()
{
    guarded([&] {
        emit status(WriteStart);
        emit progress(1);
        m_ctx.driver.setTransferIndex(0);
        m_writing = true;
        sendWrite();
    });
}

void DepartmentFamily::sendWrite()
{
    const int index = m_ctx.driver.transferIndex();
    if (index < 0 || index >= DepartmentTableModel::RowCount) {
        m_writing = false; // the shared index was moved by another transfer
        return;
    }
    // A group cell that is no whole number throws here, before the send,
    // and the write ends.
    m_writing = false;
    const QByteArray data = DepartmentRecord::writeRequest(index, m_model.row(index), m_ctx.regional);
    m_writing = true;
    m_ctx.driver.send(Command::WriteDepartment, data);
}

void DepartmentFamily::onWriteReply(const QByteArray &)
{
    if (!m_writing)
        return;
    guarded([&] {
        const int next = m_ctx.driver.transferIndex() + 1;
        m_ctx.driver.setTransferIndex(next);
        if (next == DepartmentTableModel::RowCount) {
            m_writing = false;
            emit progress(0);
            emit status(WriteDone);
        } else {
            sendWrite();
        }
    });
}

void DepartmentFamily::selectRow(int row)
{
    if (row < 0 || row >= DepartmentTableModel::RowCount)
        return;
    m_currentRow = row;
    DepartmentEditFill fill;
    try {
        DepartmentEditing::selectionFill(m_model.row(row), &fill);
    } catch (const ProgramError &e) {
        emit editsFilled(fill);
        emit programError(e.text());
        return;
    }
    emit editsFilled(fill);
}

bool DepartmentFamily::BtnOCorClick(const DepartmentEdits &edits)
{
    bool changed = false;
    guarded([&] {
        DepartmentRow row = m_model.row(m_currentRow);
        if (DepartmentEditing::correct(edits, m_ctx.regional, &row) == DepartmentEditing::Outcome::DataError) {
            emit message(DataErrorTitle, DataErrorText);
            return;
        }
        m_model.setRow(m_currentRow, row);
        changed = true;
    });
    return changed;
}
