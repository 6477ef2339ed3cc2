// Reply frames with arbitrary data parts fed to the articles through the
// exchange driver, while reads and writes start again at random points.
#include "params/articles/articlefamily.h"
#include "protocol/commands.h"
#include "replyharness.h"
#include "params/articles/articlerecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    ArticleFamily family(link.context);
    family.btnAReadClick();
    feed(link, data, size, {Command::ReadArticle, Command::WriteArticle}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.btnAWriteClick();
        else
            family.btnAReadClick();
    });
    check(family.model().rowCount() == ArticleTableModel::RowCount);
    ArticleRecord::readReply(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), link.context.regional);
    return 0;
}
