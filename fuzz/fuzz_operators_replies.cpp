// Reply frames with arbitrary data parts fed to the operators through the
// exchange driver, while reads and writes start again at random points.
#include "params/operators/operatorfamily.h"
#include "protocol/commands.h"
#include "replyharness.h"
#include "params/operators/operatorrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    OperatorFamily family(link.context);
    family.BtnOReadClick();
    feed(link, data, size, {Command::ReadOperator, Command::WriteOperator}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.BtnOWriteClick();
        else
            family.BtnOReadClick();
    });
    OperatorRecord::readReply(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), link.context.regional.decimal);
    return 0;
}
