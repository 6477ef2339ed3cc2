#include "link/serialline.h"

#include "link/portplatform.h"

#include <QSerialPortInfo>
#include <cerrno>

namespace {

const QString OpenFailure = QStringLiteral("Problem u otvaranju porta");
const QString WriteFailure = QStringLiteral("Problem u komunikaciji sa kasom");

} // namespace

SerialLine::SerialLine(SerialSettings settings, QObject *parent) : QObject(parent), m_settings(settings)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLine::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLine::onError);
}

SerialLine::~SerialLine() { close(); }

void SerialLine::setPortName(const QString &name) { m_portName = name; }

QString SerialLine::deviceFor(const QString &portName)
{
    static const QStringList labels = {QStringLiteral("COM1"), QStringLiteral("COM2"),
                                       QStringLiteral("COM3"), QStringLiteral("COM4")};
    const int index = labels.indexOf(portName.trimmed().toUpper());
    if (index >= 0)
        return PortPlatform::deviceOfComLabel(index);
    return portName.trimmed();
}

QStringList SerialLine::offeredPortNames()
{
    QStringList names = {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                         QStringLiteral("COM4")};
    QStringList covered;
    for (const QString &n : names)
        covered << deviceFor(n);
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        if (!covered.contains(location) && !names.contains(info.portName())) {
            names << location;
            covered << location;
        }
    }
    return names;
}

QString SerialLine::withErrorNumber(const QString &text, int osError)
{
    return QStringLiteral("%1 (win error code: %2)").arg(text).arg(osError);
}

QString SerialLine::hintFor(int osError, QSerialPort::SerialPortError error)
{
#ifdef Q_OS_UNIX
    if (osError == EACCES)
        return QStringLiteral("Korisnik mora biti član grupe dialout (sudo usermod -aG dialout $USER).");
    if (osError == EBUSY || (error == QSerialPort::PermissionError && osError != EACCES))
        return QStringLiteral("Port koristi drugi program.");
#else
    Q_UNUSED(osError);
    Q_UNUSED(error);
#endif
    return QString();
}

bool SerialLine::open(QString *error)
{
    if (m_port.isOpen())
        return true;
    const QString device = deviceFor(m_portName);
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError e = m_port.error();
        const int osError = PortPlatform::openingErrorNumber(device, e);
        QString text = withErrorNumber(OpenFailure, osError);
        const QString hint = hintFor(osError, e);
        if (!hint.isEmpty())
            text += QLatin1Char('\n') + hint;
        if (error)
            *error = text;
        m_port.clearError();
        return false;
    }
    // Each step of the line set-up that fails is reported with its own text.
    auto failStep = [&](const QString &step) {
        const QString reason = m_port.errorString();
        m_port.close();
        m_port.clearError();
        if (error)
            *error = withErrorNumber(step + QStringLiteral(": ") + reason, EIO);
        return false;
    };
    if (!m_port.setBaudRate(m_settings.baudRate))
        return failStep(QStringLiteral("Problem u podešavanju brzine porta"));
    if (!m_port.setDataBits(QSerialPort::Data8) || !m_port.setParity(QSerialPort::NoParity)
        || !m_port.setStopBits(QSerialPort::OneStop))
        return failStep(QStringLiteral("Problem u podešavanju parametara porta"));
    if (!m_port.setFlowControl(QSerialPort::NoFlowControl))
        return failStep(QStringLiteral("Problem u podešavanju kontrole toka"));
    m_port.setReadBufferSize(m_settings.readBufferSize);
    // Devices without modem lines (pseudo-terminals) refuse these; that is no
    // reason to fail the opening.
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(false);
    m_port.clearError();
    m_port.clear();
    emit openChanged(true);
    return true;
}

void SerialLine::close()
{
    if (!m_port.isOpen())
        return;
    m_port.close();
    m_port.clearError();
    emit openChanged(false);
}

bool SerialLine::isOpen() const { return m_port.isOpen(); }

bool SerialLine::write(const QByteArray &bytes, QString *error)
{
    auto fail = [&](int osError) {
        if (error)
            *error = withErrorNumber(WriteFailure, osError);
        return false;
    };
    if (!m_port.isOpen())
        return fail(EBADF);
    if (m_port.write(bytes) != bytes.size())
        return fail(EIO);
    // The bytes almost always fit the driver's buffer at once; waiting is only
    // for a line that does not take them, and never longer than the time-out.
    m_port.flush();
    if (m_port.isOpen() && m_port.bytesToWrite() > 0
        && !m_port.waitForBytesWritten(m_settings.writeTimeoutMs(bytes.size())))
        return fail(m_port.error() == QSerialPort::TimeoutError ? ETIMEDOUT : EIO);
    if (!m_port.isOpen())
        return fail(EIO);
    return true;
}

void SerialLine::onReadyRead()
{
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty())
        emit bytesArrived(bytes);
}

void SerialLine::onError(QSerialPort::SerialPortError error)
{
    if (m_closingAfterError || !m_port.isOpen())
        return;
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError
        && error != QSerialPort::ResourceError)
        return;
    // A hang-up shows as a flood of read errors while the port stays open:
    // close it here, once.
    m_closingAfterError = true;
    close();
    m_closingAfterError = false;
    emit disconnected(QStringLiteral("Uređaj na portu %1 više nije dostupan (isključen je); port je zatvoren.")
                          .arg(m_portName));
}
