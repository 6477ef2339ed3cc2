#pragma once

#include "profile/profilefamily.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One register on the command line: --register PORT=SERIAL.
struct RegisterTarget {
    QString port;
    QString serial;
    // "PORT (серијски број SERIAL)", how every message names the register.
    QString label() const { return QStringLiteral("%1 (серијски број %2)").arg(port, serial); }
};

// What the command line asks for.
struct CliOptions {
    enum class Command { Read, Write, Verify, Ports, Find, Backups, Restore };
    enum class Action { Run, Help, Version };

    Action action = Action::Run;
    Command command = Command::Ports;
    QString profile;
    QList<RegisterTarget> registers;
    std::optional<ProfileFamilies> families; // --families; none: the default of the command
    bool changesOnly = false;
    bool verify = false;
    bool withPasswords = false;
    // write --backup: read each register and back it up before the write.
    bool backup = false;
    // restore --any-serial: a backup of another register may be written.
    bool anySerial = false;
    bool json = false;
    QString trace;
    // --serial: the register the find command looks for, or whose backups are listed.
    QString findSerial;
    // --retry-ms: how long a request waits for its reply before it is sent again.
    int retryMs = 5000;

    // Reads the arguments (program name first). False with a message that
    // says what is wrong and what to do.
    static bool parse(const QStringList &arguments, CliOptions *options, QString *error);
    static QString helpText();
};
