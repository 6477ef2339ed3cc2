#pragma once

#include "link/portfacts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QSerialPort;

// Finds which serial port a register is on: opens every port the system
// lists (except those it is told to leave alone), sends each the same
// harmless read (header line 1) for the serial number at the same time,
// waits at most WaitMs for the answers, closes them all and reports each
// port's outcome. The window and vilaron-cli both use it.
class RegisterProbe : public QObject {
    Q_OBJECT
public:
    using PortLister = std::function<QList<PortFacts::SystemPort>()>;
    enum class Outcome { Answered, Silent, InUse, NoPermission };
    struct Result {
        QString device;
        QString description;
        Outcome outcome = Outcome::Silent;
    };
    static constexpr int WaitMs = 500;

    explicit RegisterProbe(PortLister ports, QObject *parent = nullptr);
    ~RegisterProbe() override;

    // Devices not to touch (the scanner's open port).
    void setLeftAlone(const QStringList &devices) { m_leftAlone = devices; }
    // Starts probing for the six-digit serial number; finished() follows
    // within WaitMs (at once when there is no port to probe).
    void start(const QString &serial);
    bool running() const { return m_timer.isActive(); }

    // "каса одговара", "нема одговора", "заузет", "нема дозволе".
    static QString outcomeText(Outcome outcome);
    static bool anyAnswered(const QList<Result> &results);

signals:
    void finished(const QList<RegisterProbe::Result> &results);

private:
    struct Trial;
    void onBytes(Trial &trial);
    void finish();

    PortLister m_ports;
    QStringList m_leftAlone;
    QTimer m_timer;
    std::vector<std::unique_ptr<Trial>> m_trials;
    QByteArray m_request;
    QByteArray m_serialBytes;
};
