// Reply frames with arbitrary data parts fed to the logo rows through the
// exchange driver, while reads and writes start again at random points.
#include "params/logo/logofamily.h"
#include "protocol/commands.h"
#include "replyharness.h"
#include "params/logo/logopicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    LogoFamily family(link.context);
    family.btnLogoReadClick();
    feed(link, data, size, {Command::ReadLogoRow, Command::WriteLogoRow, Command::ReadLogoInfo, Command::WriteLogoInfo}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.btnLogoWriteClick();
        else
            family.btnLogoReadClick();
    });
    check(family.picture().width() == LogoPicture::Width);
    check(family.picture().height() >= 1 && family.picture().height() <= LogoPicture::MaxHeight);
    return 0;
}
