#pragma once

#include "link/networkaddress.h"
#include "link/telnetcodec.h"

#include <QObject>
#include <QTcpSocket>
#include <memory>

// The register line over TCP: raw frames (tcp://) or frames inside Telnet
// with the RFC 2217 line settings (rfc2217://). Requests leave in the call
// that writes them (no Nagle delay, no wait for the event loop); arriving
// bytes are handed on as they come.
class NetworkLine : public QObject {
    Q_OBJECT
public:
    static constexpr int ConnectTimeoutMs = 3000;

    explicit NetworkLine(int baudRate, QObject *parent = nullptr);
    ~NetworkLine() override;

    // Connects, waiting at most ConnectTimeoutMs. On failure returns false and
    // fills *error with the port message naming the address.
    bool open(const QString &portName, QString *error);
    void close();
    bool isOpen() const { return m_open; }
    bool write(const QByteArray &bytes, int timeoutMs, QString *error);
    QString addressText() const { return m_address.text(); }

signals:
    void bytesArrived(const QByteArray &bytes);
    // The server closed the connection or the network dropped it; the line
    // has been closed. `reason` is the message for the user.
    void lost(const QString &reason);
    // What the RFC 2217 server answered, once all settings are in; `refused`
    // names the settings it did not take (empty when it took them all).
    void settingsAnswered(const QString &confirmed, const QString &refused);

private:
    void onReadyRead();
    void onGone();
    void sendNow(const QByteArray &bytes);

    int m_baudRate;
    NetworkAddress m_address;
    QTcpSocket *m_socket = nullptr;
    std::unique_ptr<TelnetCodec> m_telnet;
    QStringList m_confirmed;
    QStringList m_refused;
    bool m_open = false;
};
