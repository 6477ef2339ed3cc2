// Reply frames with arbitrary data parts fed to the groups through the
// exchange driver, while reads and writes start again at random points.
#include "params/groups/groupfamily.h"
#include "protocol/commands.h"
#include "replyharness.h"
#include "params/groups/grouprecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    GroupFamily family(link.context);
    family.BtnGReadClick();
    feed(link, data, size, {Command::ReadGroup, Command::WriteGroup}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.BtnGWriteClick();
        else
            family.BtnGReadClick();
    });
    GroupRecord::readReply(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), link.context.regional.decimal);
    return 0;
}
