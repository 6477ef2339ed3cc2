#include "params/groups/groupfamily.h"

#include "catalogue/familycatalogue.h"

#include "protocol/commands.h"
#include "params/common/celltext.h"
#include "params/groups/grouprecord.h"

GridFamily::Description GroupFamily::description()
{
    Description d(FamilyCatalogue::key(FamilyId::Groups), Command::ReadGroup, Command::WriteGroup, GroupTable::RecordCount,
                  GroupRecord::ReplyLength, GroupRecord::WriteLength);
    d.firstNumber = 0; // groups are numbered 0 to 12
    d.readStart = QStringLiteral("Читање група у току");
    d.readDone = QStringLiteral("Завршено читање група");
    d.writeDone = QStringLiteral("Завршен упис група");
    d.readProgress = [](int) { return 16; };
    d.cells = [](const QByteArray &record, QChar decimal) {
        const GroupRecord::Reply r = GroupRecord::readReply(record, decimal);
        return QStringList{r.name, r.share, r.turnover};
    };
    d.write = [](int group, const TextGrid &grid, const Regional &regional) -> std::optional<QByteArray> {
        const auto share = CellText::percent(grid.recordCell(group, GroupTable::Share), regional);
        if (!share.accepted)
            return std::nullopt;
        return GroupRecord::writeRequest(group, grid.recordCell(group, GroupTable::Name), share.wire);
    };
    d.box = {QStringLiteral("Групе"), QStringLiteral("GBGroups"), QStringLiteral("sgGrupe"),
             QStringLiteral("BtnGRead"), QStringLiteral("BtnGWrite"), {30, 123, 61, 108}, false};
    return d;
}

GroupFamily::GroupFamily(FamilyContext &ctx, QObject *parent)
    : GridFamily(ctx, new GroupTable(ctx.regional.decimal), description(), parent)
{
    setId(FamilyId::Groups);
}

// A group write is its read reply without the turnover part: the reply
// decoder reads it padded to the reply length.
QList<RecordField> GroupFamily::recordFields(const QByteArray &wire, const Regional &regional) const
{
    if (wire.size() < GroupRecord::WriteLength)
        return GridFamily::recordFields(wire, regional);
    const GroupRecord::Reply r =
        GroupRecord::readReply(wire.leftJustified(GroupRecord::ReplyLength, '\0'), regional.decimal);
    return {{QStringLiteral("Назив"), r.name, GroupTable::Name}, {QStringLiteral("Удео"), r.share, GroupTable::Share}};
}
