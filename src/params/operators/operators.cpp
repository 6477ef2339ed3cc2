#include "params/operators/operators.h"

#include "protocol/commands.h"
#include "params/operators/operatorrecord.h"

namespace {
GridFamily::Description operatorsDescription()
{
    GridFamily::Description d(QStringLiteral("operators"), Command::ReadOperator, Command::WriteOperator,
                              OperatorTable::OperatorCount, OperatorRecord::ReplyLength,
                              OperatorRecord::WriteLength);
    // Texts: read start, read end, write end.
    d.readStart = QStringLiteral("Читање оператера у току");
    d.readDone = QStringLiteral("Завршено читање оператера");
    d.writeDone = QStringLiteral("Завршен упис оператера");
    // The bar runs over 13 steps for the 25 operators.
    d.readProgress = [](int index) { return (index + 1) / 2; };
    d.cells = [](const QByteArray &record, QChar decimal) {
        const OperatorRecord::Reply r = OperatorRecord::readReply(record, decimal);
        return QStringList{r.name, r.password} + r.amounts;
    };
    // A refused password stops the write; an empty one throws ConversionError.
    d.write = [](int index, const TextGrid &grid, const Regional &) -> std::optional<QByteArray> {
        const auto password = OperatorRecord::convertPassword(grid.cell(OperatorTable::Password, index + 1));
        if (!password.accepted)
            return std::nullopt;
        return OperatorRecord::writeRequest(index, grid.cell(OperatorTable::Name, index + 1), password.value);
    };
    return d;
}
} // namespace

Operators::Operators(FamilyContext &ctx, QObject *parent)
    : GridFamily(ctx, new OperatorTable, operatorsDescription(), parent)
{
}
