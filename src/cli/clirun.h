#pragma once

#include "cli/clioptions.h"
#include "core/regional.h"
#include "link/registerprobe.h"

#include <QStringList>
#include <QTextStream>

// One run of the command-line tool: parses the arguments, loads the profile,
// serves every register at the same time on the current event loop, prints
// the progress to `err` and the results to `out`, and gives the exit status.
class CliRun {
public:
    enum ExitStatus { Done = 0, Differences = 1, UsageError = 2, NoAnswer = 3, DataError = 4 };

    // `regional`: the separators the tables use (the system's in the program).
    // `terminal`: `err` is a terminal, so the progress is a live bar.
    CliRun(QTextStream &out, QTextStream &err, const Regional &regional, bool terminal);

    int exec(const QStringList &arguments);

    // The serial ports `ports` and `find` work on (the system's by default).
    void setPortLister(RegisterProbe::PortLister lister) { m_ports = std::move(lister); }

private:
    int listPorts();
    int findRegister(const QString &serial);
    int runRegisters(const CliOptions &options);

    QTextStream &m_out;
    QTextStream &m_err;
    Regional m_regional;
    bool m_terminal;
    RegisterProbe::PortLister m_ports = PortFacts::systemPorts;
};
