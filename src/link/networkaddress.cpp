#include "link/networkaddress.h"

namespace {

const QString TcpScheme = QStringLiteral("tcp://");
const QString Rfc2217Scheme = QStringLiteral("rfc2217://");

} // namespace

QString NetworkAddress::text() const
{
    const QString shownHost = host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    return (kind == Kind::Rfc2217 ? Rfc2217Scheme : TcpScheme) + shownHost + QLatin1Char(':') + QString::number(port);
}

bool NetworkAddress::looksLikeUrl(const QString &name)
{
    return name.trimmed().contains(QStringLiteral("://"));
}

std::optional<NetworkAddress> NetworkAddress::parse(const QString &name)
{
    const QString t = name.trimmed();
    NetworkAddress a;
    QString rest;
    if (t.startsWith(TcpScheme, Qt::CaseInsensitive)) {
        rest = t.mid(TcpScheme.size());
    } else if (t.startsWith(Rfc2217Scheme, Qt::CaseInsensitive)) {
        a.kind = Kind::Rfc2217;
        rest = t.mid(Rfc2217Scheme.size());
    } else {
        return std::nullopt;
    }
    if (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    const int colon = rest.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    bool ok = false;
    const uint port = rest.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    QString host = rest.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.isEmpty() || host.contains(QLatin1Char('/')) || host.contains(QLatin1Char(' ')))
        return std::nullopt;
    a.host = host;
    a.port = static_cast<quint16>(port);
    return a;
}
