#include "sim/tcpregister.h"

#include <QTcpSocket>

TcpRegister::TcpRegister(RegisterState &state, QObject *parent) : QObject(parent), m_responder(state)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TcpRegister::takeNext);
}

TcpRegister::~TcpRegister()
{
    // The caller's socket is the server's child and would go with it, telling
    // this half-destroyed register that it hung up: it goes first, unheard.
    if (m_client) {
        m_client->disconnect(this);
        delete m_client;
        m_client = nullptr;
    }
}

bool TcpRegister::listen(const QHostAddress &address, quint16 port)
{
    // One caller at a time: the others stay in the backlog until it leaves.
    m_server.setMaxPendingConnections(1);
    return m_server.listen(address, port);
}

bool TcpRegister::parseListen(const QString &text, QString *host, quint16 *port)
{
    if (!text.startsWith(QStringLiteral("tcp:")))
        return false;
    const QString rest = text.mid(4);
    const int colon = rest.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    bool ok = false;
    const uint value = rest.mid(colon + 1).toUInt(&ok);
    if (!ok || value > 65535)
        return false;
    QString name = rest.left(colon);
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    *host = name;
    *port = static_cast<quint16>(value);
    return true;
}

void TcpRegister::takeNext()
{
    if (m_client || !m_server.hasPendingConnections())
        return;
    m_client = m_server.nextPendingConnection();
    m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_responder.clearInput();
    emit trace(QStringLiteral("connected: %1:%2").arg(m_client->peerAddress().toString()).arg(m_client->peerPort()));
    connect(m_client, &QTcpSocket::readyRead, this, &TcpRegister::onReadable);
    connect(m_client, &QTcpSocket::disconnected, this, [this] {
        emit trace(QStringLiteral("disconnected"));
        m_client->deleteLater();
        m_client = nullptr;
        takeNext();
    });
}

void TcpRegister::onReadable()
{
    if (!m_client)
        return;
    for (const RegisterResponder::Exchange &ex : m_responder.process(m_client->readAll())) {
        if (ex.reply.isEmpty()) {
            if (!ex.problem.isEmpty())
                emit trace(QStringLiteral("tcp: %1").arg(ex.problem));
            continue;
        }
        m_client->write(ex.reply);
        m_client->flush();
        emit trace(QStringLiteral("tcp > %1 / < %2").arg(QString::fromLatin1(ex.request.toHex(' ')),
                                                        QString::fromLatin1(ex.reply.toHex(' '))));
    }
}

void TcpRegister::hangUp()
{
    m_server.close();
    if (m_client) {
        m_client->disconnect(this);
        m_client->abort();
        m_client->deleteLater();
        m_client = nullptr;
    }
}
