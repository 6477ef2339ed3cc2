#include "params/departments/departmentfamily.h"

#include "core/decimaltext.h"
#include "params/departments/departmentrecord.h"
#include "protocol/fields.h"

// The write layout of one department (command 112).
QList<RecordField> DepartmentFamily::recordFields(const QByteArray &wire, const Regional &regional) const
{
    if (wire.size() < DepartmentRecord::WriteDataLength)
        return ParameterFamily::recordFields(wire, regional);
    using M = DepartmentTableModel;
    const auto header = [](int column) { return M::headers().value(column); };
    const std::uint8_t gt = Fields::byteAt(wire, 20);
    return {
        {header(M::Name), Fields::decodeName(wire.mid(1, DepartmentRecord::NameWidth)), M::Name},
        {header(M::Price), DecimalText::formatScaled(Fields::getU32(wire, 21), 2, regional.decimal), M::Price},
        {header(M::Group), QString::number(gt >> 4), M::Group},
        {header(M::Tax), Fields::taxLabelOrA(gt & 0x0F), M::Tax},
    };
}

bool DepartmentFamily::setField(int index, int column, const QString &text)
{
    m_model.setCell(index, column, text);
    return true;
}
