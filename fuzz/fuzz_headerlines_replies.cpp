// Reply frames with arbitrary data parts fed to the header lines through the
// exchange driver, while reads and writes start again at random points.
#include "params/headerlines/headerlinefamily.h"
#include "protocol/commands.h"
#include "replyharness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    HeaderLineFamily family(link.context);
    family.btnReadClicheClick();
    feed(link, data, size, {Command::ReadHeaderLine, Command::WriteHeaderLine}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.btnWriteClicheClick();
        else
            family.btnReadClicheClick();
    });
    for (int k = 0; k < HeaderLineFamily::LineCount; ++k)
        check(family.line(k).size() <= Frame::MaxData);
    return 0;
}
