#include "link/serialline.h"

#include "link/portfacts.h"
#include "link/portmessages.h"

#include <cerrno>

namespace {

const QString WriteFailure = QStringLiteral("Problem u komunikaciji sa kasom");

} // namespace

SerialLine::SerialLine(SerialSettings settings, QObject *parent)
    : QObject(parent), m_settings(settings), m_net(settings.baudRate)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLine::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLine::onError);
    connect(&m_net, &NetworkLine::bytesArrived, this, &SerialLine::bytesArrived);
    connect(&m_net, &NetworkLine::lost, this, [this](const QString &reason) {
        emit openChanged(false);
        emit disconnected(reason);
    });
    connect(&m_net, &NetworkLine::settingsAnswered, this, [this](const QString &confirmed, const QString &refused) {
        if (!confirmed.isEmpty())
            emit lineNote(QStringLiteral("RFC 2217, сервер потврдио: ") + confirmed);
        if (!refused.isEmpty()) {
            emit lineNote(QStringLiteral("RFC 2217, сервер није прихватио: ") + refused);
            emit settingsRefused(PortMessages::settingsRefused(m_portName.trimmed(), refused));
        }
    });
}

SerialLine::~SerialLine() { close(); }

void SerialLine::setPortName(const QString &name) { m_portName = name; }

QString SerialLine::deviceFor(const QString &portName) { return PortFacts::deviceFor(portName); }

QString SerialLine::withErrorNumber(const QString &text, int osError)
{
    return QStringLiteral("%1 (win error code: %2)").arg(text).arg(osError);
}

bool SerialLine::open(QString *error)
{
    if (isOpen())
        return true;
    if (NetworkAddress::looksLikeUrl(m_portName)) {
        if (!m_net.open(m_portName, error))
            return false;
        emit openChanged(true);
        return true;
    }
    const QString device = deviceFor(m_portName);
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError e = m_port.error();
        const int osError = PortFacts::openingError(device, e);
        const PortFacts::Cause cause = PortFacts::causeOf(osError, e);
        if (error) {
            const auto holder = cause == PortFacts::Cause::InUse ? PortFacts::holderOf(device) : std::nullopt;
            *error = PortMessages::openFailure(m_portName, device, osError, cause, holder);
        }
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
    if (m_net.isOpen()) {
        m_net.close();
        emit openChanged(false);
        return;
    }
    if (!m_port.isOpen())
        return;
    m_port.close();
    m_port.clearError();
    emit openChanged(false);
}

bool SerialLine::isOpen() const { return m_port.isOpen() || m_net.isOpen(); }

bool SerialLine::write(const QByteArray &bytes, QString *error)
{
    auto fail = [&](int osError) {
        if (error)
            *error = withErrorNumber(WriteFailure, osError);
        return false;
    };
    if (m_net.isOpen())
        return m_net.write(bytes, m_settings.writeTimeoutMs(bytes.size()), error);
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
    emit disconnected(PortMessages::deviceLost(m_portName, deviceFor(m_portName)));
}
