#include "protocol/commands.h"

namespace Commands {

const std::array<CommandInfo, Count> &dispatchOrder()
{
    static constexpr std::array<CommandInfo, Count> table = {{
        {Command::WriteLogoInfo, "write logo/password info", 9, "упис лога и лозинки"},
        {Command::ReadLogoInfo, "read logo/password info", 0, "читање лога и лозинки"},
        {Command::EndDialogue, "end of dialogue", 0, "крај дијалога"},
        {Command::ReadHeaderLine, "read header line", 1, "читање реда заглавља"},
        {Command::WriteHeaderLine, "write header line", 20, "упис реда заглавља"},
        {Command::ReadArticle, "read article", 2, "читање артикла"},
        {Command::WriteArticle, "write article", 56, "упис артикла"},
        {Command::ReadDepartment, "read department", 1, "читање одељења"},
        {Command::WriteDepartment, "write department", 25, "упис одељења"},
        {Command::ReadTaxRate, "read tax rate", 1, "читање пореске стопе"},
        {Command::WriteTaxRate, "write tax rate", 5, "упис пореске стопе"},
        {Command::ReadGroup, "read group", 1, "читање групе"},
        {Command::WriteGroup, "write group", 22, "упис групе"},
        {Command::ReadLogoRow, "read logo row", 1, "читање реда лога"},
        {Command::WriteLogoRow, "write logo row", 28, "упис реда лога"},
        {Command::ReadOperator, "read operator", 1, "читање оператера"},
        {Command::WriteOperator, "write operator", 24, "упис оператера"},
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
