#include "params/departments/departmentfamily.h"

#include "catalogue/familycatalogue.h"

#include "protocol/commands.h"
#include "params/common/familytexts.h"

DepartmentFamily::DepartmentFamily(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_ctx(ctx), m_model(ctx.regional)
{
    const Regional regional = ctx.regional;
    setId(FamilyId::Departments);
    TransferRules r(FamilyCatalogue::key(FamilyId::Departments), Command::ReadDepartment, Command::WriteDepartment, DepartmentTableModel::RowCount,
                    TransferRules::Next::ReplyIndex);
    r.texts(FamilyTexts::Reading, QStringLiteral("Завршено читање подгрупа"),
            FamilyTexts::Writing, QStringLiteral("Успешно уписана одељења"));
    r.foreignReplyEnds = false; // consumed; nothing follows
    r.writeStartProgress = {1};
    r.replyIndex = &DepartmentRecord::replyIndex;
    r.storeRead = [this, regional](int index, const QByteArray &frame) {
        DepartmentRow row;
        DepartmentRecord::readReply(frame, regional, &row);
        m_model.setRow(index, row);
        return true;
    };
    r.readAsWrite = [regional](int index, const QByteArray &frame) {
        DepartmentRow row;
        DepartmentRecord::readReply(frame, regional, &row);
        return DepartmentRecord::writeRequest(index, row, regional);
    };
    // A group cell that is no whole number throws before the send, and the
    // write ends.
    r.writeRequest = [this, regional](int index) {
        return std::optional<QByteArray>(DepartmentRecord::writeRequest(index, m_model.row(index), regional));
    };
    m_transfer = new TransferEngine(ctx.driver, *this, std::move(r));
    endsWith(*m_transfer);
}

void DepartmentFamily::btnSTReadClick()
{
    beginAction();
    m_transfer->read();
}

void DepartmentFamily::btnSTWriteClick()
{
    beginAction();
    m_transfer->write();
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
            emit message(FamilyTexts::ErrorTitle, FamilyTexts::DataErrorText);
            return;
        }
        m_model.setRow(m_currentRow, row);
        changed = true;
    });
    return changed;
}
