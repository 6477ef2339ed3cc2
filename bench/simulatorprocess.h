#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The register simulator executable, started for the time of a benchmark;
// path() is the pseudo-terminal it serves (empty when it did not start).
class SimulatorProcess {
public:
    explicit SimulatorProcess(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(VILARON_SIM_PATH), arguments);
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimulatorProcess()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }
    QString path() const { return m_path; }
    // The next line the simulator prints (the --listen address).
    QString nextLine()
    {
        if (!m_process.canReadLine())
            m_process.waitForReadyRead(5000);
        return QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }

private:
    QProcess m_process;
    QString m_path;
};
