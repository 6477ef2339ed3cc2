// Arbitrary byte streams, retry ticks and cancels fed to the exchange driver.
#include "link/exchangedriver.h"

#include <cstdint>
#include <cstdlib>

namespace {

class NullPort : public LinkPort {
public:
    bool open = true;
    bool fail = false;
    bool isOpen() const override { return open; }
    bool write(const QByteArray &, QString *error) override
    {
        if (fail && error)
            *error = QStringLiteral("write failed");
        return !fail;
    }
};

class NullTimer : public RetryTimer {
public:
    bool active = false;
    void start() override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    NullPort port;
    NullTimer timer;
    ExchangeDriver driver(port, timer);
    int handled = 0;
    for (int code : {101, 102, 103, 104, 107, 108, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120}) {
        driver.setReplyHandler(std::uint8_t(code), [&, code](const QByteArray &frame) {
            ++handled;
            if (frame.size() < 12 || frame.size() > 260 || std::uint8_t(frame[7]) != code)
                std::abort();
            if (handled % 3 == 0)
                driver.send(std::uint8_t(code), QByteArray(2, '\0'));
        });
    }
    // First byte of each step chooses what happens; the rest is line data.
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t op = data[i++];
        const std::size_t len = std::min<std::size_t>(size - i, op >> 2);
        switch (op & 3) {
        case 0:
            driver.received(QByteArray(reinterpret_cast<const char *>(data + i), qsizetype(len)));
            i += len;
            break;
        case 1:
            driver.retryTick();
            break;
        case 2:
            driver.cancel();
            break;
        case 3:
            port.open = (op & 4) != 0;
            port.fail = (op & 8) != 0;
            driver.send(101, QByteArray(1, char(op)));
            break;
        }
        if (driver.receiveCount() < 0 || driver.receiveCount() > Frame::BufferSize)
            std::abort();
    }
    return 0;
}
