// Reply frames with arbitrary data parts fed to the tax rates through the
// exchange driver, while reads and writes start again at random points.
#include "params/taxrates/taxratefamily.h"
#include "protocol/commands.h"
#include "replyharness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    TaxRateFamily family(link.context);
    family.btnTGReadClick();
    feed(link, data, size, {Command::ReadTaxRate, Command::WriteTaxRate}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.btnTGWriteClick();
        else
            family.btnTGReadClick();
    });

    return 0;
}
