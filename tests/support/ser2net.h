#pragma once

// Debian's ser2net in front of a register on a pseudo-terminal: started in
// the foreground on 127.0.0.1 with a free port and a YAML configuration whose
// connector is the given line, stopped with the rig. The test setup installs
// it; a machine without it skips these tests.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

class Ser2net {
public:
    enum class Accepter { Raw, Rfc2217 };

    static QString program()
    {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("ser2net"));
        if (!found.isEmpty())
            return found;
        return QStandardPaths::findExecutable(QStringLiteral("ser2net"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    }
    static bool installed() { return !program().isEmpty(); }
    static constexpr const char *Missing = "ser2net is not installed (scripts/setup.sh --test installs it)";

    Ser2net(const QString &device, Accepter accepter) : m_accepter(accepter)
    {
        if (!installed() || !m_dir.isValid())
            return;
        m_port = freePort();
        const QString accept = QStringLiteral("%1tcp,127.0.0.1,%2")
                                   .arg(accepter == Accepter::Rfc2217 ? QStringLiteral("telnet(rfc2217),") : QString())
                                   .arg(m_port);
        QFile yaml(m_dir.filePath(QStringLiteral("ser2net.yaml")));
        if (!yaml.open(QIODevice::WriteOnly))
            return;
        yaml.write(QStringLiteral("connection: &register\n"
                                  "  accepter: %1\n"
                                  "  connector: serialdev,%2,57600n81,local\n"
                                  "  options:\n"
                                  "    kickolduser: true\n"
                                  // Bytes are passed on as they come, not held for
                                  // two character times: the tests stay fast and
                                  // replies arrive in pieces.
                                  "    chardelay: false\n")
                       .arg(accept, device)
                       .toUtf8());
        yaml.close();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program(), {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("-u"), QStringLiteral("-P"),
                                    m_dir.filePath(QStringLiteral("ser2net.pid")), QStringLiteral("-c"), yaml.fileName()});
        if (!m_process.waitForStarted(5000))
            return;
        // Ready once it takes a connection; bounded, never reached when it works.
        for (int attempt = 0; attempt < 100 && m_process.state() == QProcess::Running; ++attempt) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(200)) {
                probe.abort();
                m_ready = true;
                return;
            }
            QThread::msleep(20); // the next look, not a time-out
        }
    }
    ~Ser2net() { stop(); }
    Ser2net(const Ser2net &) = delete;
    Ser2net &operator=(const Ser2net &) = delete;

    bool ready() const { return m_ready; }
    quint16 port() const { return m_port; }
    QString url() const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(m_accepter == Accepter::Rfc2217 ? "rfc2217" : "tcp").arg(m_port);
    }
    QString output() { return QString::fromLocal8Bit(m_process.readAll()); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    // A port nobody listens on (bound and released at once).
    static quint16 freePort()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        return server.serverPort();
    }

private:
    Accepter m_accepter;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    bool m_ready = false;
};
