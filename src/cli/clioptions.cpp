#include "cli/clioptions.h"

#include <QSet>
#include <functional>

namespace {

const QString HelpHint = QStringLiteral("Run 'vilaron-cli --help' for the options.");

bool fail(QString *error, const QString &text)
{
    *error = text + QLatin1Char(' ') + HelpHint;
    return false;
}

bool parseRegister(const QString &value, RegisterTarget *target, QString *error)
{
    const int at = int(value.indexOf(QLatin1Char('=')));
    if (at <= 0 || at == value.size() - 1)
        return fail(error, QStringLiteral("--register '%1' is not PORT=SERIAL (for example "
                                          "--register /dev/ttyUSB0=004512).")
                               .arg(value));
    target->port = value.left(at);
    target->serial = value.mid(at + 1);
    return true;
}

bool parseCommand(const QString &word, CliOptions::Command *command)
{
    static const QList<QPair<QString, CliOptions::Command>> commands = {
        {QStringLiteral("read"), CliOptions::Command::Read},
        {QStringLiteral("write"), CliOptions::Command::Write},
        {QStringLiteral("verify"), CliOptions::Command::Verify},
        {QStringLiteral("ports"), CliOptions::Command::Ports},
    };
    for (const auto &c : commands) {
        if (c.first == word) {
            *command = c.second;
            return true;
        }
    }
    return false;
}

// The value of an option given as "--name value" or "--name=value".
bool optionValue(const QStringList &args, int *i, const QString &name, QString *value, bool *matched)
{
    const QString arg = args.at(*i);
    *matched = false;
    if (arg == name) {
        *matched = true;
        if (*i + 1 >= args.size())
            return false;
        *value = args.at(++*i);
        return true;
    }
    if (arg.startsWith(name + QLatin1Char('='))) {
        *matched = true;
        *value = arg.mid(name.size() + 1);
        return true;
    }
    return true;
}

} // namespace

bool CliOptions::parse(const QStringList &arguments, CliOptions *options, QString *error)
{
    CliOptions o;
    QStringList positional;
    bool familiesGiven = false;
    QString familiesText;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            o.action = Action::Help;
            *options = o;
            return true;
        }
        if (arg == QLatin1String("--version")) {
            o.action = Action::Version;
            *options = o;
            return true;
        }
        if (arg == QLatin1String("--changes-only")) {
            o.changesOnly = true;
            continue;
        }
        if (arg == QLatin1String("--verify")) {
            o.verify = true;
            continue;
        }
        if (arg == QLatin1String("--with-passwords")) {
            o.withPasswords = true;
            continue;
        }
        if (arg == QLatin1String("--json")) {
            o.json = true;
            continue;
        }
        QString value;
        bool matched = false;
        struct Valued {
            const char *name;
            std::function<bool(const QString &)> take;
        };
        const Valued valued[] = {
            {"--register",
             [&](const QString &v) {
                 RegisterTarget target;
                 if (!parseRegister(v, &target, error))
                     return false;
                 o.registers << target;
                 return true;
             }},
            {"--families",
             [&](const QString &v) {
                 familiesGiven = true;
                 familiesText = v;
                 return true;
             }},
            {"--trace",
             [&](const QString &v) {
                 o.trace = v;
                 return true;
             }},
            {"--retry-ms",
             [&](const QString &v) {
                 bool ok = false;
                 o.retryMs = v.toInt(&ok);
                 if (!ok || o.retryMs < 1)
                     return fail(error, QStringLiteral("--retry-ms takes a number of milliseconds above 0."));
                 return true;
             }},
        };
        bool handled = false;
        for (const Valued &option : valued) {
            const QString name = QString::fromLatin1(option.name);
            if (!optionValue(arguments, &i, name, &value, &matched))
                return fail(error, QStringLiteral("%1 needs a value.").arg(name));
            if (matched) {
                if (!option.take(value))
                    return false;
                handled = true;
                break;
            }
        }
        if (handled)
            continue;
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            return fail(error, QStringLiteral("Unknown option '%1'.").arg(arg));
        positional << arg;
    }

    if (positional.isEmpty())
        return fail(error, QStringLiteral("No command given: use read, write, verify or ports."));
    if (!parseCommand(positional.first(), &o.command))
        return fail(error, QStringLiteral("Unknown command '%1': use read, write, verify or ports.")
                               .arg(positional.first()));
    const bool needsProfile = o.command != Command::Ports;
    if (positional.size() > (needsProfile ? 2 : 1))
        return fail(error, QStringLiteral("Too many arguments after the command: '%1'.").arg(positional.last()));
    if (needsProfile) {
        if (positional.size() < 2)
            return fail(error, QStringLiteral("The command %1 needs a PROFILE folder.").arg(positional.first()));
        o.profile = positional.at(1);
        if (o.registers.isEmpty())
            return fail(error, QStringLiteral("The command %1 needs at least one --register PORT=SERIAL.")
                                   .arg(positional.first()));
    }
    QSet<QString> ports, serials;
    for (const RegisterTarget &target : o.registers) {
        if (ports.contains(target.port))
            return fail(error, QStringLiteral("The port %1 is given twice: give each register its own port.")
                                   .arg(target.port));
        if (serials.contains(target.serial))
            return fail(error, QStringLiteral("The serial number %1 is given twice: each register has its own.")
                                   .arg(target.serial));
        ports.insert(target.port);
        serials.insert(target.serial);
    }
    if (familiesGiven) {
        ProfileFamilies families;
        QString why;
        if (!ProfileFamilyNames::parseList(familiesText, &families, &why))
            return fail(error, QStringLiteral("--families: %1").arg(why));
        if ((families & ProfileFamily::Passwords) && !o.withPasswords)
            return fail(error, QStringLiteral("--families names passwords: add --with-passwords to transfer them."));
        o.families = families;
    }
    if (o.changesOnly && o.command != Command::Write)
        return fail(error, QStringLiteral("--changes-only goes with the command write."));
    if (o.verify && o.command != Command::Write)
        return fail(error, QStringLiteral("--verify goes with the command write (or use the command verify)."));
    *options = o;
    return true;
}

QString CliOptions::helpText()
{
    return QStringLiteral(
        "Usage: vilaron-cli [--register PORT=SERIAL]... [--families LIST] [--changes-only] [--verify]\n"
        "                   [--with-passwords] [--trace FILE] [--json] COMMAND [PROFILE]\n"
        "\n"
        "Reads a register profile from Vilaron registers, writes one into them or compares them.\n"
        "Several registers are served at the same time.\n"
        "\n"
        "Commands:\n"
        "  read PROFILE     fill the PROFILE folder from the register (with several registers,\n"
        "                   one sub-folder per serial number)\n"
        "  write PROFILE    write the profile into every register\n"
        "  verify PROFILE   compare every register with the profile; exit status 1 on a difference\n"
        "  ports            list the serial ports of this computer with their descriptions\n"
        "\n"
        "Options:\n"
        "  --register PORT=SERIAL  a register: its port (/dev/ttyUSB0, COM1) and serial number;\n"
        "                          repeat for several registers\n"
        "  --families LIST         comma-separated subset of header,taxes,departments,articles,\n"
        "                          groups,operators,logo,passwords (default: every family of the\n"
        "                          profile but passwords)\n"
        "  --changes-only          write: read first and send only the records that differ\n"
        "  --verify                write: compare with the profile after writing\n"
        "  --with-passwords        include the register passwords (saved readable by the owner only)\n"
        "  --trace FILE            write the link trace of each register to FILE, the serial number\n"
        "                          before the extension (trace.txt -> trace-004512.txt)\n"
        "  --json                  print a summary as JSON on standard output\n"
        "  --help                  show this text\n"
        "  --version               show the program version\n"
        "\n"
        "Exit status: 0 done, 1 differences found, 2 usage error or bad profile, 3 a register did not\n"
        "answer or its port failed, 4 a record was refused as a data error.\n");
}
