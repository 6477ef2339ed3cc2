#include "link/portfacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace PortFacts {
namespace {

const QStringList ComLabels = {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                               QStringLiteral("COM4")};

QString describe(const QSerialPortInfo &info)
{
    QStringList parts;
    if (!info.manufacturer().isEmpty())
        parts << info.manufacturer();
    if (!info.description().isEmpty() && info.description() != info.manufacturer())
        parts << info.description();
    return parts.join(QLatin1Char(' '));
}

#ifdef Q_OS_LINUX
// The lock-file names a device may be known by: the uucp name of the device
// itself (LCK..ttyUSB0) and the name QSerialPort gives the path it opened
// (the path below /dev with '/' as '_', so LCK..pts_3).
QStringList lockNames(const QString &device)
{
    QStringList names;
    for (const QString &path : {device, QFileInfo(device).canonicalFilePath()}) {
        if (path.isEmpty())
            continue;
        QString name = path;
        if (name.startsWith(QLatin1String("/dev/")))
            name = name.mid(5);
        names << QStringLiteral("LCK..") + QFileInfo(path).fileName()
              << QStringLiteral("LCK..") + QString(name).replace(QLatin1Char('/'), QLatin1Char('_'));
    }
    names.removeDuplicates();
    return names;
}

// A lock file holds the pid as text on its first line (uucp and QLockFile
// alike); QLockFile adds the program name on the second.
std::optional<Holder> readLock(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.read(4096).split('\n');
    bool ok = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
    if (!ok || pid <= 0)
        return std::nullopt;
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return std::nullopt; // a stale lock: its process is gone
    Holder holder{pid, QString()};
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (comm.open(QIODevice::ReadOnly))
        holder.program = QString::fromLocal8Bit(comm.readAll().trimmed());
    if (holder.program.isEmpty())
        holder.program = QString::fromLocal8Bit(lines.value(1).trimmed());
    return holder;
}
#endif

} // namespace

QString deviceFor(const QString &portName)
{
#ifdef Q_OS_WIN
    return portName.trimmed();
#else
    const int index = ComLabels.indexOf(portName.trimmed().toUpper());
    if (index >= 0)
        return QStringLiteral("/dev/ttyS%1").arg(index);
    return portName.trimmed();
#endif
}

#ifdef Q_OS_UNIX
int openingError(const QString &device, QSerialPort::SerialPortError error)
{
    const QByteArray path = QFile::encodeName(device);
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return errno;
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    // The device opens, so another program holds it (lock file or TIOCEXCL).
    return error == QSerialPort::PermissionError ? EBUSY : EIO;
}

Cause causeOf(int osError, QSerialPort::SerialPortError error)
{
    switch (osError) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return Cause::Missing;
    case EACCES:
    case EPERM: return Cause::Permission;
    case EBUSY: return Cause::InUse;
    default: break;
    }
    return error == QSerialPort::DeviceNotFoundError ? Cause::Missing : Cause::Other;
}
#else
int openingError(const QString &, QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return 2; // ERROR_FILE_NOT_FOUND
    case QSerialPort::PermissionError: return 5;     // ERROR_ACCESS_DENIED
    default: return 31;                              // ERROR_GEN_FAILURE
    }
}

Cause causeOf(int osError, QSerialPort::SerialPortError error)
{
    if (osError == 2 || error == QSerialPort::DeviceNotFoundError)
        return Cause::Missing;
    if (osError == 5 || error == QSerialPort::PermissionError)
        return Cause::InUse; // Windows opens ports exclusively
    return Cause::Other;
}
#endif

QStringList lockFolders()
{
    return {QStringLiteral("/var/lock"), QStringLiteral("/run/lock"), QDir::tempPath()};
}

std::optional<Holder> holderOf(const QString &device, const QStringList &folders)
{
#ifdef Q_OS_LINUX
    for (const QString &folder : folders)
        for (const QString &name : lockNames(device))
            if (auto holder = readLock(QDir(folder).filePath(name)))
                return holder;
#else
    Q_UNUSED(device);
    Q_UNUSED(folders);
#endif
    return std::nullopt;
}

QList<SystemPort> systemPorts()
{
    QList<SystemPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append({info.systemLocation(), describe(info), {}});
#ifdef Q_OS_LINUX
    // udev's stable names survive replugging into another socket.
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = link.canonicalFilePath();
        for (SystemPort &port : ports)
            if (QFileInfo(port.device).canonicalFilePath() == target)
                port.links << link.absoluteFilePath();
    }
#endif
    return ports;
}

} // namespace PortFacts
