#pragma once

// A simulated register reached over the network: through Debian's ser2net
// (an RFC 2217 or a raw tcp accepter in front of the register's
// pseudo-terminal) or through the simulator's own TCP listener.

#include "sim/ptyregister.h"
#include "sim/tcpregister.h"
#include "support/ser2net.h"

#include <QTimer>
#include <memory>

namespace NetworkRig {

enum class Route { Rfc2217Ser2net, RawSer2net, SimulatorListen };

inline const char *routeName(Route r)
{
    switch (r) {
    case Route::Rfc2217Ser2net: return "rfc2217Ser2net";
    case Route::RawSer2net: return "rawSer2net";
    case Route::SimulatorListen: return "simulatorListen";
    }
    return "";
}

inline bool needsSer2net(Route r) { return r != Route::SimulatorListen; }

// The demo register, with empty article names (0xFF on the wire) and names
// holding the byte 0xFF among their letters (a first byte 0xFF marks an
// empty name).
inline RegisterState withIacBytes()
{
    RegisterState s = RegisterState::demo();
    for (int i : {0, 7, 3999})
        s.articles[std::size_t(i)].name = QByteArray(RegisterState::ArticleNameWidth, char(0xFF));
    for (int i : {1, 2, 500, 3998}) {
        QByteArray &name = s.articles[std::size_t(i)].name;
        name[2] = char(0xFF);
        name[3] = char(0xFF);
        name[6] = char(0xFF);
    }
    return s;
}

// One register and the network path to it.
class Reached {
public:
    Reached(Route route, const RegisterState &initial) : reg(initial)
    {
        if (needsSer2net(route)) {
            m_ser2net = std::make_unique<Ser2net>(
                reg.slavePath(), route == Route::Rfc2217Ser2net ? Ser2net::Accepter::Rfc2217 : Ser2net::Accepter::Raw);
        } else {
            m_tcp = std::make_unique<TcpRegister>(reg.state());
            m_tcp->listen(QHostAddress::LocalHost, 0);
        }
        m_url = m_ser2net ? m_ser2net->url() : QStringLiteral("tcp://127.0.0.1:%1").arg(m_tcp->port());
    }

    bool ready() const { return m_ser2net ? m_ser2net->ready() : m_tcp->port() != 0; }
    QString url() const { return m_url; }
    // The server goes away with the connection open.
    void stopServer()
    {
        if (m_ser2net)
            m_ser2net->stop();
        else
            m_tcp->hangUp();
    }
    // Stops the server once the register has answered `count` requests.
    void stopServerAfter(int count)
    {
        auto served = std::make_shared<int>(0);
        auto onRequest = [this, served, count] {
            if (++*served == count)
                QTimer::singleShot(0, [this] { stopServer(); });
        };
        if (m_tcp)
            QObject::connect(m_tcp.get(), &TcpRegister::trace, onRequest);
        else
            QObject::connect(&reg, &PtyRegister::requestHandled, onRequest);
    }

    PtyRegister reg;

private:
    std::unique_ptr<Ser2net> m_ser2net;
    std::unique_ptr<TcpRegister> m_tcp;
    QString m_url;
};

} // namespace NetworkRig
