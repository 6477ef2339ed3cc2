// Reply frames with arbitrary data parts fed to the departments through the
// exchange driver, while reads and writes start again at random points.
#include "params/departments/departmentfamily.h"
#include "protocol/commands.h"
#include "replyharness.h"
#include "params/departments/departmentrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    DepartmentFamily family(link.context);
    family.btnSTReadClick();
    feed(link, data, size, {Command::ReadDepartment, Command::WriteDepartment}, [&](std::uint8_t op) {
        if (op & 0x40)
            family.btnSTWriteClick();
        else
            family.btnSTReadClick();
    });
    check(family.model().rowCount() == 8);
    // The record decoder on the raw input as a frame of its own.
    DepartmentRow row;
    DepartmentRecord::readReply(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), link.context.regional, &row);
    return 0;
}
