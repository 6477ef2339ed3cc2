#include "link/registerprobe.h"

#include "link/replyframer.h"
#include "protocol/commands.h"
#include "protocol/fields.h"
#include "protocol/frame.h"

#include <QSerialPort>

struct RegisterProbe::Trial {
    Result result;
    std::unique_ptr<QSerialPort> port;
    ReplyFramer framer;
    bool decided = false;
};

RegisterProbe::RegisterProbe(PortLister ports, QObject *parent) : QObject(parent), m_ports(std::move(ports))
{
    if (!m_ports)
        m_ports = PortFacts::systemPorts;
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RegisterProbe::finish);
}

RegisterProbe::~RegisterProbe() = default;

QString RegisterProbe::outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Answered: return QStringLiteral("каса одговара");
    case Outcome::Silent: return QStringLiteral("нема одговора");
    case Outcome::InUse: return QStringLiteral("заузет");
    case Outcome::NoPermission: return QStringLiteral("нема дозволе");
    }
    return QString();
}

bool RegisterProbe::anyAnswered(const QList<Result> &results)
{
    for (const Result &r : results)
        if (r.outcome == Outcome::Answered)
            return true;
    return false;
}

void RegisterProbe::start(const QString &serial)
{
    m_trials.clear();
    const Fields::SerialBytes packed = Fields::packSerial(serial);
    m_serialBytes = QByteArray(reinterpret_cast<const char *>(packed.data()), int(packed.size()));
    Frame::Buffer buffer{};
    // Header line 1: read only, changes nothing in the register.
    const int length = Frame::buildRequest(buffer, packed, 1, Command::ReadHeaderLine, QByteArray(1, '\0'));
    m_request = QByteArray(reinterpret_cast<const char *>(buffer.data()), length);

    for (const PortFacts::SystemPort &system : m_ports()) {
        if (m_leftAlone.contains(system.device))
            continue;
        auto trial = std::make_unique<Trial>();
        trial->result = {system.device, system.description, Outcome::Silent};
        trial->port = std::make_unique<QSerialPort>(system.device);
        QSerialPort &port = *trial->port;
        if (!port.open(QIODevice::ReadWrite)) {
            const int osError = PortFacts::openingError(system.device, port.error());
            const PortFacts::Cause cause = PortFacts::causeOf(osError, port.error());
            trial->result.outcome = cause == PortFacts::Cause::InUse        ? Outcome::InUse
                                    : cause == PortFacts::Cause::Permission ? Outcome::NoPermission
                                                                            : Outcome::Silent;
            trial->decided = true;
            trial->port.reset();
        } else {
            port.setBaudRate(57600);
            port.setDataBits(QSerialPort::Data8);
            port.setParity(QSerialPort::NoParity);
            port.setStopBits(QSerialPort::OneStop);
            port.setFlowControl(QSerialPort::NoFlowControl);
            port.clear();
            Trial *raw = trial.get();
            connect(&port, &QSerialPort::readyRead, this, [this, raw] { onBytes(*raw); });
        }
        m_trials.push_back(std::move(trial));
    }
    // Every request goes out before any answer is waited for.
    for (const auto &trial : m_trials)
        if (trial->port) {
            trial->port->write(m_request);
            trial->port->flush();
        }
    m_timer.start(WaitMs);
    bool open = false;
    for (const auto &trial : m_trials)
        open = open || !trial->decided;
    if (!open)
        QTimer::singleShot(0, this, &RegisterProbe::finish);
}

void RegisterProbe::onBytes(Trial &trial)
{
    const QByteArray bytes = trial.port->readAll();
    for (char c : bytes) {
        if (trial.decided || trial.framer.take(static_cast<std::uint8_t>(c)) != ReplyFramer::Piece::Frame)
            continue;
        const QByteArray &frame = trial.framer.frame();
        // The register's own answer: its serial number, the code asked, checksums right.
        if (static_cast<quint8>(frame[Frame::CommandOffset]) == Command::ReadHeaderLine
            && frame.mid(3, 3) == m_serialBytes && Frame::checksumsRight(frame)) {
            trial.result.outcome = Outcome::Answered;
            trial.decided = true;
        }
    }
    for (const auto &t : m_trials)
        if (!t->decided)
            return;
    // Everyone has answered: no reason to wait out the rest.
    m_timer.stop();
    QTimer::singleShot(0, this, &RegisterProbe::finish);
}

void RegisterProbe::finish()
{
    if (m_trials.empty() && !m_timer.isActive() && m_request.isEmpty())
        return;
    m_timer.stop();
    QList<Result> results;
    for (auto &trial : m_trials) {
        if (trial->port)
            trial->port->close();
        results.append(trial->result);
    }
    m_trials.clear();
    m_request.clear();
    emit finished(results);
}
