#include "params/groups/groups.h"

#include "protocol/commands.h"
#include "params/groups/grouprecord.h"

namespace {
GridFamily::Description groupsDescription()
{
    GridFamily::Description d(QStringLiteral("groups"), Command::ReadGroup, Command::WriteGroup,
                              GroupTable::GroupCount, GroupRecord::ReplyLength, GroupRecord::WriteLength);
    d.readStart = QStringLiteral("Читање група у току");
    d.readDone = QStringLiteral("Завршено читање група");
    d.writeDone = QStringLiteral("Завршен упис група");
    d.readProgress = [](int) { return 16; };
    d.cells = [](const QByteArray &record, QChar decimal) {
        const GroupRecord::Reply r = GroupRecord::readReply(record, decimal);
        return QStringList{r.name, r.share, r.turnover};
    };
    d.write = [](int group, const TextGrid &grid, const Regional &regional) -> std::optional<QByteArray> {
        const auto share = GroupRecord::convertShare(grid.cell(GroupTable::Share, group + 1), regional);
        if (!share.accepted)
            return std::nullopt;
        return GroupRecord::writeRequest(group, grid.cell(GroupTable::Name, group + 1), share.wire);
    };
    return d;
}
} // namespace

Groups::Groups(FamilyContext &ctx, QObject *parent)
    : GridFamily(ctx, new GroupTable(ctx.regional.decimal), groupsDescription(), parent)
{
}
