#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A raw pseudo-terminal pair: the program under test opens the slave path
// through its real port layer; the test plays the register on the master.
class TestPty {
public:
    TestPty()
    {
        int slave = -1;
        if (::openpty(&m_master, &slave, nullptr, nullptr, nullptr) != 0)
            return;
        termios t;
        ::tcgetattr(slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
        m_path = QString::fromLocal8Bit(::ttyname(slave));
        // Kept open so that the program opening and closing the slave never
        // leaves the master without a peer.
        m_slave = slave;
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~TestPty()
    {
        closeMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    TestPty(const TestPty &) = delete;
    TestPty &operator=(const TestPty &) = delete;

    bool ok() const { return !m_path.isEmpty(); }
    QString slavePath() const { return m_path; }

    void write(const QByteArray &bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else if (errno != EAGAIN && errno != EINTR)
                return;
        }
    }
    // Everything the program wrote so far.
    QByteArray readAvailable()
    {
        QByteArray out;
        char buf[512];
        for (;;) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, n);
        }
        return out;
    }
    // Reads until `count` bytes came or the time is up, processing events.
    QByteArray readExactly(int count, int timeoutMs = 3000)
    {
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (out.size() < count && clock.elapsed() < timeoutMs) {
            out += readAvailable();
            if (out.size() < count)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return out;
    }
    // Like pulling the cable: the slave side sees a hang-up.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
        if (m_slave >= 0)
            ::close(m_slave);
        m_slave = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
