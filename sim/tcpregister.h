#pragma once

#include "sim/registerresponder.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// The register as a device server in TCP-server mode shows it: raw frames
// over one TCP connection at a time (a second caller waits until the first
// hangs up). It answers from the state it is given, shared with the
// pseudo-terminal register, so both lines see the same memory.
class TcpRegister : public QObject {
    Q_OBJECT
public:
    explicit TcpRegister(RegisterState &state, QObject *parent = nullptr);
    ~TcpRegister() override;

    // Listens on address:port (port 0 picks a free one). False with
    // errorString() when the address cannot be bound.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }
    RegisterResponder &responder() { return m_responder; }
    // Drops the caller and stops listening, as a device server switched off.
    void hangUp();

    // Parses "tcp:HOST:PORT" as --listen takes it; false for anything else.
    static bool parseListen(const QString &text, QString *host, quint16 *port);

signals:
    void trace(const QString &line);

private:
    void takeNext();
    void onReadable();

    RegisterResponder m_responder;
    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
};
