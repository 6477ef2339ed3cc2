#include "params/operators/operatorfamily.h"

#include "catalogue/familycatalogue.h"

#include "protocol/commands.h"
#include "params/operators/operatorrecord.h"

GridFamily::Description OperatorFamily::description()
{
    Description d(FamilyCatalogue::key(FamilyId::Operators), Command::ReadOperator, Command::WriteOperator,
                  OperatorTable::RecordCount, OperatorRecord::ReplyLength, OperatorRecord::WriteLength);
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
        const auto password = OperatorRecord::convertPassword(grid.recordCell(index, OperatorTable::Password));
        if (!password.accepted)
            return std::nullopt;
        return OperatorRecord::writeRequest(index, grid.recordCell(index, OperatorTable::Name), password.value);
    };
    // Far wider and taller than the page: the grid scrolls.
    d.box = {QStringLiteral("Оператери"), QStringLiteral("GBOperateri"), QStringLiteral("SGOperateri"),
             QStringLiteral("BtnORead"), QStringLiteral("BtnOWrite"),
             {30, 144, 102, 80, 82, 90, 93, 97, 89, 95, 98, 92, 92, 92, 93, 86, 85, 101, 100}, true};
    return d;
}

OperatorFamily::OperatorFamily(FamilyContext &ctx, QObject *parent)
    : GridFamily(ctx, new OperatorTable, description(), parent)
{
    setId(FamilyId::Operators);
}

QList<RecordField> OperatorFamily::recordFields(const QByteArray &wire, const Regional &regional) const
{
    if (wire.size() < OperatorRecord::WriteLength)
        return GridFamily::recordFields(wire, regional);
    const OperatorRecord::Reply r =
        OperatorRecord::readReply(wire.leftJustified(OperatorRecord::ReplyLength, '\0'), regional.decimal);
    return {{QStringLiteral("Назив"), r.name, OperatorTable::Name},
            {QStringLiteral("Лозинка"), r.password, OperatorTable::Password}};
}
