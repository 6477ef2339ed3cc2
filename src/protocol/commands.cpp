#include "protocol/commands.h"

namespace Commands {

const std::array<CommandInfo, Count> &dispatchOrder()
{
    static constexpr std::array<CommandInfo, Count> table = {{
        {Command::WriteLogoInfo, "write logo/password info", 9},
        {Command::ReadLogoInfo, "read logo/password info", 0},
        {Command::EndDialogue, "end of dialogue", 0},
        {Command::ReadHeaderLine, "read header line", 1},
        {Command::WriteHeaderLine, "write header line", 20},
        {Command::ReadArticle, "read article", 2},
        {Command::WriteArticle, "write article", 56},
        {Command::ReadDepartment, "read department", 1},
        {Command::WriteDepartment, "write department", 25},
        {Command::ReadTaxRate, "read tax rate", 1},
        {Command::WriteTaxRate, "write tax rate", 5},
        {Command::ReadGroup, "read group", 1},
        {Command::WriteGroup, "write group", 22},
        {Command::ReadLogoRow, "read logo row", 1},
        {Command::WriteLogoRow, "write logo row", 28},
        {Command::ReadOperator, "read operator", 1},
        {Command::WriteOperator, "write operator", 24},
    }};
    return table;
}

const CommandInfo *find(std::uint8_t code)
{
    for (const CommandInfo &info : dispatchOrder())
        if (info.code == code)
            return &info;
    return nullptr;
}

} // namespace Commands
