// Reply frames made from fuzz input and fed to a parameter family through
// the exchange driver, so that the family's own reply decoding runs on
// arbitrary data parts. Every frame is well formed (length, checksums,
// trailer), so that the bytes reach the decoder rather than the framing.
#pragma once

#include "link/exchangedriver.h"
#include "protocol/frame.h"
#include "transfer/familycontext.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace ReplyHarness {

class RecordingPort : public LinkPort {
public:
    QByteArray last;
    bool isOpen() const override { return true; }
    bool write(const QByteArray &bytes, QString *) override
    {
        last = bytes;
        return true;
    }
};

class IdleTimer : public RetryTimer {
public:
    bool active = false;
    void start() override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
};

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Link {
    RecordingPort port;
    IdleTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext context;
    explicit Link(Regional regional) : context{driver, regional} {}
};

// The regional settings chosen by the first input byte.
inline Regional regionalOf(const std::uint8_t *data, std::size_t size)
{
    return size > 0 && (data[0] & 1) ? Regional::point() : Regional::comma();
}

// Steps of the input after its first byte:
//   op, length, data...   op bits 0-2 pick the reply code from `codes`,
//   bit 3 copies the data part of the last request over the start of the
//   reply (so that record numbers match what was asked), bit 4 ticks the
//   retry timer first, bit 5 starts a transfer again with `restart(op)`.
inline void feed(Link &link, const std::uint8_t *data, std::size_t size, const std::vector<std::uint8_t> &codes,
                 const std::function<void(std::uint8_t op)> &restart)
{
    std::size_t i = 1;
    while (i + 1 < size) {
        const std::uint8_t op = data[i++];
        const std::size_t length = std::min<std::size_t>({std::size_t(data[i++]), size - i, std::size_t(Frame::MaxData)});
        QByteArray part(reinterpret_cast<const char *>(data + i), qsizetype(length));
        i += length;
        if (op & 0x10)
            link.driver.retryTick();
        if (op & 0x20)
            restart(op);
        const QByteArray request = link.port.last;
        Fields::SerialBytes serial{0, 0, 0};
        std::uint8_t sequence = 0;
        if (request.size() >= Frame::HeaderSize) {
            for (int k = 0; k < 3; ++k)
                serial[std::size_t(k)] = std::uint8_t(request[3 + k]);
            sequence = std::uint8_t(request[6]);
            if (op & 0x08) {
                const QByteArray asked = request.mid(Frame::DataOffset, request.size() - Frame::Overhead);
                part.replace(0, qMin(asked.size(), part.size()), asked.left(part.size()));
            }
        }
        const std::uint8_t code = codes[std::size_t(op & 7) % codes.size()];
        link.driver.received(Frame::build(serial, sequence, code, part));
        check(link.driver.receiveCount() >= 0 && link.driver.receiveCount() <= Frame::BufferSize);
    }
}

} // namespace ReplyHarness
