// The logo and password record (103, 104) shared by the logo and the
// passwords: reply frames with arbitrary data parts while either of them
// starts its read or write at random points.
#include "protocol/commands.h"
#include "params/logo/logofamily.h"
#include "params/passwords/passwordfamily.h"
#include "replyharness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ReplyHarness;
    Link link(regionalOf(data, size));
    LogoFamily logo(link.context);
    PasswordFamily passwords(link.context, logo.record());
    passwords.BtnLozinkaReadClick();
    feed(link, data, size, {Command::ReadLogoInfo, Command::WriteLogoInfo}, [&](std::uint8_t op) {
        switch ((op >> 6) & 3) {
        case 0: passwords.BtnLozinkaReadClick(); break;
        case 1: passwords.BtnLozinkaWriteClick(); break;
        case 2: logo.btnLogoReadClick(); break;
        default: logo.btnLogoWriteClick(); break;
        }
    });
    check(logo.record().logoHeight() >= 0 && logo.record().logoHeight() <= 255);

    // The record decoder on the raw input as a frame of its own: a record is
    // taken only from a data part long enough to hold it.
    const QByteArray frame(reinterpret_cast<const char *>(data), qsizetype(size));
    LogoPasswordRecord::Record record;
    const bool taken = LogoPasswordRecord::parseReply(frame, &record);
    if (taken)
        check(frame.size() >= Frame::DataOffset + LogoPasswordRecord::RecordSize);
    return 0;
}
