#include "link/networkline.h"

#include "link/portmessages.h"

#include <QEventLoop>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

PortMessages::NetworkCause causeOf(QAbstractSocket::SocketError e)
{
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        return PortMessages::NetworkCause::Refused;
    case QAbstractSocket::HostNotFoundError:
        return PortMessages::NetworkCause::UnknownHost;
    case QAbstractSocket::NetworkError:
        return PortMessages::NetworkCause::NoRoute;
    case QAbstractSocket::SocketTimeoutError:
        return PortMessages::NetworkCause::TimedOut;
    default:
        return PortMessages::NetworkCause::Other;
    }
}

// A device server that passes a reply on in pieces as they come off the
// serial line, without TCP_NODELAY, holds each further piece until the
// previous one is acknowledged; a delayed acknowledgement would then cost
// 40 ms a reply. The kernel falls back to delaying after each read, so this
// is asked for again after every one.
void acknowledgeAtOnce(QTcpSocket &socket)
{
#ifdef Q_OS_LINUX
    const int on = 1;
    ::setsockopt(int(socket.socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#else
    Q_UNUSED(socket);
#endif
}

} // namespace

NetworkLine::NetworkLine(int baudRate, QObject *parent) : QObject(parent), m_baudRate(baudRate) {}

NetworkLine::~NetworkLine()
{
    if (m_socket)
        m_socket->disconnect(this);
    close();
}

bool NetworkLine::open(const QString &portName, QString *error)
{
    if (m_open)
        return true;
    const auto address = NetworkAddress::parse(portName);
    if (!address) {
        if (error)
            *error = PortMessages::networkFailure(portName.trimmed(), PortMessages::NetworkCause::BadAddress);
        return false;
    }
    m_address = *address;
    // A child, so that one closed from its own signal and deleted later is
    // still deleted with the line when no event loop runs any more.
    m_socket = new QTcpSocket(this);
    QTcpSocket *socket = m_socket;

    // The name lookup and the connection are waited for together, and never
    // longer than the time-out; only socket events are taken meanwhile.
    QEventLoop wait;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &wait, &QEventLoop::quit);
    connect(socket, &QTcpSocket::connected, &wait, &QEventLoop::quit);
    connect(socket, &QTcpSocket::errorOccurred, &wait, &QEventLoop::quit);
    socket->connectToHost(m_address.host, m_address.port);
    limit.start(ConnectTimeoutMs);
    if (socket->state() != QAbstractSocket::ConnectedState && socket->error() == QAbstractSocket::UnknownSocketError)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (socket->state() != QAbstractSocket::ConnectedState) {
        const auto cause = socket->error() == QAbstractSocket::UnknownSocketError ? PortMessages::NetworkCause::TimedOut
                                                                                   : causeOf(socket->error());
        if (error)
            *error = PortMessages::networkFailure(m_address.text(), cause);
        socket->abort();
        delete socket;
        m_socket = nullptr;
        return false;
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, &NetworkLine::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &NetworkLine::onGone);
    connect(socket, &QTcpSocket::errorOccurred, this, &NetworkLine::onGone);
    m_open = true;
    m_confirmed.clear();
    m_refused.clear();
    if (m_address.kind == NetworkAddress::Kind::Rfc2217) {
        m_telnet = std::make_unique<TelnetCodec>(m_baudRate);
        sendNow(m_telnet->start());
    } else {
        m_telnet.reset();
    }
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &NetworkLine::onReadyRead);
    return true;
}

void NetworkLine::close()
{
    if (!m_socket)
        return;
    m_open = false;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    // Deleted later: close() may run inside one of the socket's own signals.
    socket->deleteLater();
    m_telnet.reset();
}

void NetworkLine::sendNow(const QByteArray &bytes)
{
    if (!m_socket || bytes.isEmpty())
        return;
    m_socket->write(bytes);
    // Out to the kernel now, not when the event loop next polls the socket.
    m_socket->flush();
}

bool NetworkLine::write(const QByteArray &bytes, int timeoutMs, QString *error)
{
    auto fail = [&](int osError) {
        if (error)
            *error = QStringLiteral("Problem u komunikaciji sa kasom (win error code: %1)").arg(osError);
        return false;
    };
    if (!m_open || !m_socket)
        return fail(EBADF);
    const QByteArray wire = m_telnet ? TelnetCodec::escape(bytes) : bytes;
    if (m_socket->write(wire) != wire.size())
        return fail(EIO);
    m_socket->flush();
    if (m_open && m_socket && m_socket->bytesToWrite() > 0 && !m_socket->waitForBytesWritten(timeoutMs))
        return fail(ETIMEDOUT);
    return m_open ? true : fail(EIO);
}

void NetworkLine::onReadyRead()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->readAll();
    acknowledgeAtOnce(*m_socket);
    if (bytes.isEmpty())
        return;
    if (!m_telnet) {
        emit bytesArrived(bytes);
        return;
    }
    const bool wasAnswered = m_telnet->settingsAnswered();
    TelnetCodec::Output out = m_telnet->feed(bytes);
    sendNow(out.reply);
    for (const TelnetCodec::Setting &s : out.settings)
        (s.confirmed ? m_confirmed : m_refused)
            .append(s.confirmed ? s.answered : QStringLiteral("%1: тражено %2, сервер поставио %3").arg(s.name, s.asked, s.answered));
    if (out.comPortRefused)
        emit settingsAnswered(QString(), QStringLiteral("сервер не подешава линију (RFC 2217 одбијен)"));
    else if (!wasAnswered && m_telnet->settingsAnswered())
        emit settingsAnswered(m_confirmed.join(QStringLiteral(", ")), m_refused.join(QStringLiteral("; ")));
    if (!out.data.isEmpty())
        emit bytesArrived(out.data);
}

void NetworkLine::onGone()
{
    if (!m_open)
        return;
    // Whatever came before the close is still the register's.
    if (m_socket && m_socket->bytesAvailable() > 0)
        onReadyRead();
    const QString reason = PortMessages::connectionLost(m_address.text());
    close();
    emit lost(reason);
}
