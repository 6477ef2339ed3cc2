#include "link/portplatform.h"

#ifdef Q_OS_UNIX
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString PortPlatform::deviceOfComLabel(int index)
{
    return QStringLiteral("/dev/ttyS%1").arg(index);
}

// QSerialPort does not hand out the operating system's error number; find it
// again by trying the device the way the port layer does.
int PortPlatform::openingErrorNumber(const QString &device, QSerialPort::SerialPortError error)
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

#else

// Elsewhere the COM labels are the system's own port names.
QString PortPlatform::deviceOfComLabel(int index)
{
    return QStringLiteral("COM%1").arg(index + 1);
}

int PortPlatform::openingErrorNumber(const QString &, QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return 2; // ERROR_FILE_NOT_FOUND
    case QSerialPort::PermissionError: return 5;     // ERROR_ACCESS_DENIED
    default: return 31;                              // ERROR_GEN_FAILURE
    }
}

#endif
