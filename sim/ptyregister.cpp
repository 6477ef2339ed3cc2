#include "sim/ptyregister.h"

#include <QMetaMethod>
#include <QSocketNotifier>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyRegister::PtyRegister(QObject *parent) : PtyRegister(RegisterState::blank(), parent) {}

PtyRegister::PtyRegister(const RegisterState &initial, QObject *parent)
    : QObject(parent), m_state(initial), m_responder(m_state)
{
    m_clock.start();
    m_pumpTimer.setSingleShot(true);
    m_pumpTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pumpTimer, &QTimer::timeout, this, &PtyRegister::pump);
    // Paced output needs wake-ups finer than a millisecond timer: a reply
    // that ends up to a millisecond late on every exchange would make a
    // 4000-article transfer seconds slower than the line itself.
    m_wakeFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_wakeFd >= 0) {
        m_wakeNotifier = new QSocketNotifier(m_wakeFd, QSocketNotifier::Read, this);
        connect(m_wakeNotifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            while (::read(m_wakeFd, &expirations, sizeof expirations) > 0) {
            }
            pump();
        });
    }
    m_recheckTimer.setInterval(20);
    connect(&m_recheckTimer, &QTimer::timeout, this, &PtyRegister::onRecheck);
    open();
}

PtyRegister::~PtyRegister()
{
    closeMaster();
    delete m_wakeNotifier;
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void PtyRegister::wakeAfter(qint64 ns)
{
    if (m_wakeFd < 0) {
        m_pumpTimer.start(static_cast<int>(qMax<qint64>(1, (ns + 999999) / 1000000)));
        return;
    }
    itimerspec when{};
    ns = qMax<qint64>(ns, 1000); // zero would disarm the timer
    when.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
    when.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
    ::timerfd_settime(m_wakeFd, 0, &when, nullptr);
}

void PtyRegister::open()
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        m_error = systemError("cannot create a pseudo-terminal");
        return;
    }
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B57600);
        ::cfsetospeed(&tio, B57600);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    m_master = master;
    // The register keeps the slave open itself, so that the program closing
    // its port does not hang up the line between two openings.
    m_slaveKeep = slave;
    m_slavePath = QString::fromLocal8Bit(name);

    m_readNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyRegister::onReadable);
    m_writeNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, [this] {
        m_writeNotifier->setEnabled(false);
        pump();
    });
}

void PtyRegister::closeMaster()
{
    m_pumpTimer.stop();
    m_recheckTimer.stop();
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slaveKeep >= 0)
        ::close(m_slaveKeep);
    m_master = -1;
    m_slaveKeep = -1;
    m_queue.clear();
}

void PtyRegister::flushLine()
{
    if (m_slaveKeep >= 0)
        ::tcflush(m_slaveKeep, TCIOFLUSH);
    m_queue.clear();
    m_responder.clearInput();
}

void PtyRegister::emitTrace(const char *direction, const QByteArray &bytes, const QString &note)
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&PtyRegister::trace);
    if (!isSignalConnected(signal))
        return;
    QString line = QLatin1String(direction);
    if (bytes.size() > 7 && static_cast<quint8>(bytes[0]) == 0xAA) {
        const quint8 code = static_cast<quint8>(bytes[7]);
        line += QStringLiteral(" %1 %2").arg(code).arg(RegisterResponder::commandName(code), -18);
    }
    line += QLatin1Char(' ') + QString::fromLatin1(bytes.toHex(' ').toUpper());
    if (!note.isEmpty())
        line += QStringLiteral("  (%1)").arg(note);
    emit trace(line);
}

void PtyRegister::onReadable()
{
    if (m_master < 0)
        return;
    QByteArray input;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got > 0) {
            input.append(buffer, static_cast<qsizetype>(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EIO) {
            // Nobody holds the slave open: wait quietly until somebody does.
            m_readNotifier->setEnabled(false);
            m_recheckTimer.start();
        }
        break;
    }
    if (input.isEmpty())
        return;

    for (const RegisterResponder::Exchange &ex : m_responder.process(input)) {
        if (ex.skipped) {
            emitTrace("..", ex.request, ex.problem);
            continue;
        }
        ++m_requests;
        emitTrace("<-", ex.request, ex.problem);
        if (ex.reply.isEmpty())
            continue;
        const RegisterResponder::Handled &h = m_responder.log().constLast();
        emit requestHandled(h.code, h.index);
        ++m_answered;
        if (m_faults.silent) {
            ++m_dropped;
            emitTrace("  ", {}, QStringLiteral("silent: no reply"));
            continue;
        }
        if (m_faults.dropEvery > 0 && m_answered % m_faults.dropEvery == 0) {
            ++m_dropped;
            emitTrace("  ", {}, QStringLiteral("reply dropped"));
            continue;
        }
        queueReply(ex.reply, ex.request.size());
    }
}

void PtyRegister::onRecheck()
{
    if (m_master < 0) {
        m_recheckTimer.stop();
        return;
    }
    // Re-arm the notifier; a read that still fails with EIO disarms it again.
    m_recheckTimer.stop();
    m_readNotifier->setEnabled(true);
}

void PtyRegister::queueReply(QByteArray reply, qsizetype requestBytes)
{
    if (m_faults.corruptEvery > 0 && m_replies % m_faults.corruptEvery == m_faults.corruptEvery - 1) {
        // A byte in the middle of the data part, or of the serial number
        // when there is no data: the frame keeps its shape.
        const int n = reply.size() - 12;
        const int at = n > 0 ? 9 + n / 2 : 5;
        reply[at] = static_cast<char>(static_cast<quint8>(reply[at]) ^ 0x10);
        emitTrace("  ", {}, QStringLiteral("one byte changed on the line"));
    }
    if (m_faults.badChecksums) {
        const int n = reply.size() - 12;
        reply[9 + n] = static_cast<char>(static_cast<quint8>(reply[9 + n]) ^ 0x5A);
        reply[10 + n] = static_cast<char>(static_cast<quint8>(reply[10 + n]) ^ 0xA5);
    }
    emitTrace("->", reply, m_faults.badChecksums ? QStringLiteral("bad checksums") : QString());
    ++m_replies;

    const qint64 now = m_clock.nsecsElapsed();
    qint64 received = now;
    if (m_faults.bytesPerSecond > 0) {
        // On a paced line the request itself takes its time to come in: the
        // register answers once its last byte would have arrived.
        m_inLineFreeNs = std::max(m_inLineFreeNs, double(now)) + double(requestBytes) * (1e9 / m_faults.bytesPerSecond);
        received = static_cast<qint64>(m_inLineFreeNs);
    }
    const qint64 base = received + qint64(qMax(0, m_faults.delayMs)) * 1000000;
    if (m_faults.noise)
        m_queue.push_back({QByteArrayLiteral("OK\r"), base});
    if (m_faults.split && reply.size() >= 3) {
        const int pieces = 3;
        const int step = static_cast<int>(reply.size() + pieces - 1) / pieces;
        const qint64 pause = qint64(qMax(1, m_faults.splitPauseMs)) * 1000000;
        for (int i = 0; i * step < reply.size(); ++i)
            m_queue.push_back({reply.mid(i * step, step), base + i * pause});
    } else {
        m_queue.push_back({std::move(reply), base});
    }
    pump();
}

qint64 PtyRegister::writeSome(const char *data, qint64 size)
{
    for (;;) {
        const ssize_t put = ::write(m_master, data, static_cast<size_t>(size));
        if (put >= 0)
            return put;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return -1;
        // Any other failure: the line is gone; what was queued is lost.
        m_queue.clear();
        return 0;
    }
}

void PtyRegister::pump()
{
    if (m_master < 0)
        return;
    const int rate = m_faults.bytesPerSecond;
    while (!m_queue.empty()) {
        Chunk &head = m_queue.front();
        const qint64 now = m_clock.nsecsElapsed();
        if (head.notBeforeNs > now) {
            wakeAfter(head.notBeforeNs - now);
            return;
        }
        qint64 allowed = head.bytes.size();
        if (rate > 0) {
            // A byte starts when the one before it has left the line and is
            // handed over once its last bit is through; the line clock only
            // catches up with real time after a pause.
            const double perByte = 1e9 / rate;
            m_lineFreeNs = std::max(m_lineFreeNs, double(head.notBeforeNs));
            const double firstByteDone = m_lineFreeNs + perByte;
            if (firstByteDone > double(now)) {
                wakeAfter(static_cast<qint64>(std::ceil(firstByteDone - now)));
                return;
            }
            allowed = qMin<qint64>(allowed, static_cast<qint64>((now - m_lineFreeNs) / perByte));
        }
        const qint64 put = writeSome(head.bytes.constData(), allowed);
        if (m_queue.empty())
            return; // the line failed
        if (put < 0) {
            m_writeNotifier->setEnabled(true);
            return;
        }
        if (rate > 0)
            m_lineFreeNs += double(put) * (1e9 / rate);
        head.bytes.remove(0, put);
        if (head.bytes.isEmpty())
            m_queue.pop_front();
    }
}
