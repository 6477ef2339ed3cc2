// vilaron-register-sim: a Vilaron register on a pseudo-terminal, for demos,
// training and tests. Prints the path of the line to open and serves until
// SIGINT or SIGTERM.

#include "protocol/fields.h"
#include "sim/ptyregister.h"
#include "sim/tcpregister.h"
#include "vilaronversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

void printError(const QString &text)
{
    std::fprintf(stderr, "vilaron-register-sim: %s\n", text.toLocal8Bit().constData());
}

bool parseCount(const QCommandLineParser &parser, const QString &option, int min, int *out)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < min) {
        printError(QStringLiteral("--%1 needs a whole number of at least %2, not \"%3\"")
                       .arg(option)
                       .arg(min)
                       .arg(parser.value(option)));
        return false;
    }
    *out = value;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vilaron-register-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(VilaronVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A Vilaron fiscal register on a pseudo-terminal. Prints the path of the line on\n"
        "standard output; point the setup tool's port field at that path (or at the\n"
        "--link path). Serves until interrupted (Ctrl+C or SIGTERM)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("link"), QStringLiteral("Also make a symbolic link <path> to the line."), QStringLiteral("path")},
        {QStringLiteral("demo"), QStringLiteral("Start from a demo register (shop header, rates, articles, logo, ...).")},
        {QStringLiteral("state"), QStringLiteral("Load the register's memory from <file> if it exists; write it there on exit."),
         QStringLiteral("file")},
        {QStringLiteral("silent"), QStringLiteral("Never answer.")},
        {QStringLiteral("drop-every"), QStringLiteral("Leave every <n>-th reply unsent."), QStringLiteral("n")},
        {QStringLiteral("delay"), QStringLiteral("Answer <ms> milliseconds after each request."), QStringLiteral("ms")},
        {QStringLiteral("split"), QStringLiteral("Write each reply in several pieces with short pauses.")},
        {QStringLiteral("noise"), QStringLiteral("Write text outside frames (\"OK\\r\") before each reply.")},
        {QStringLiteral("bad-checksums"), QStringLiteral("Send replies with wrong checksums.")},
        {QStringLiteral("corrupt-every"), QStringLiteral("Change one byte of every <n>-th reply, leaving its checksums as they were (line noise)."),
         QStringLiteral("n")},
        {QStringLiteral("baud"), QStringLiteral("Pace the line at the byte rate of a <rate> baud line (10 bits a byte): requests take their time to come in, replies to go out."),
         QStringLiteral("rate")},
        {QStringLiteral("trace"), QStringLiteral("Print every request and reply in hex on standard error.")},
        {QStringLiteral("listen"), QStringLiteral("Also serve raw frames over TCP on <tcp:HOST:PORT>, one connection at a time (port 0 picks a free one; the address is printed on the second line)."),
         QStringLiteral("tcp:HOST:PORT")},
        {QStringLiteral("serial"), QStringLiteral("Answer only requests for the serial number <NNNNNN>, as a register does."),
         QStringLiteral("NNNNNN")},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        printError(QStringLiteral("unexpected argument \"%1\"; see --help").arg(parser.positionalArguments().first()));
        return 2;
    }

    PtyRegister::Faults faults;
    int baud = 0;
    if (!parseCount(parser, QStringLiteral("drop-every"), 1, &faults.dropEvery)
        || !parseCount(parser, QStringLiteral("delay"), 0, &faults.delayMs)
        || !parseCount(parser, QStringLiteral("corrupt-every"), 1, &faults.corruptEvery)
        || !parseCount(parser, QStringLiteral("baud"), 10, &baud))
        return 2;
    faults.silent = parser.isSet(QStringLiteral("silent"));
    faults.split = parser.isSet(QStringLiteral("split"));
    faults.noise = parser.isSet(QStringLiteral("noise"));
    faults.badChecksums = parser.isSet(QStringLiteral("bad-checksums"));
    faults.bytesPerSecond = baud / 10;

    QString listenHost;
    quint16 listenPort = 0;
    const bool listening = parser.isSet(QStringLiteral("listen"));
    if (listening && !TcpRegister::parseListen(parser.value(QStringLiteral("listen")), &listenHost, &listenPort)) {
        printError(QStringLiteral("--listen needs tcp:HOST:PORT, not \"%1\"").arg(parser.value(QStringLiteral("listen"))));
        return 2;
    }
    std::optional<Fields::SerialBytes> onlySerial;
    if (parser.isSet(QStringLiteral("serial"))) {
        const QString serial = parser.value(QStringLiteral("serial"));
        static const QRegularExpression sixDigits(QStringLiteral("^[0-9]{6}$"));
        if (!sixDigits.match(serial).hasMatch()) {
            printError(QStringLiteral("--serial needs six digits, not \"%1\"").arg(serial));
            return 2;
        }
        onlySerial = Fields::packSerial(serial);
    }

    RegisterState initial = parser.isSet(QStringLiteral("demo")) ? RegisterState::demo() : RegisterState::blank();
    const QString statePath = parser.value(QStringLiteral("state"));
    if (!statePath.isEmpty() && QFileInfo::exists(statePath)) {
        QString error;
        if (!initial.load(statePath, &error)) {
            printError(error);
            return 1;
        }
    }

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        printError(QStringLiteral("cannot create the signal pipe"));
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] {
        char drain[16];
        while (::read(signalPipe[0], drain, sizeof drain) > 0) {
        }
        QCoreApplication::quit();
    });

    PtyRegister reg(initial);
    if (!reg.isOpen()) {
        printError(reg.errorString());
        return 1;
    }
    reg.setFaults(faults);
    reg.responder().setOnlySerial(onlySerial);
    TcpRegister tcp(reg.state());
    tcp.responder().setOnlySerial(onlySerial);
    if (listening) {
        const QHostAddress address = listenHost == QStringLiteral("localhost") ? QHostAddress(QHostAddress::LocalHost)
                                                                               : QHostAddress(listenHost);
        if (address.isNull() || !tcp.listen(address, listenPort)) {
            printError(QStringLiteral("cannot listen on %1: %2")
                           .arg(parser.value(QStringLiteral("listen")),
                                address.isNull() ? QStringLiteral("not an address") : tcp.errorString()));
            return 1;
        }
    }
    if (parser.isSet(QStringLiteral("trace"))) {
        const auto print = [](const QString &line) {
            std::fprintf(stderr, "%s\n", line.toUtf8().constData());
            std::fflush(stderr);
        };
        QObject::connect(&reg, &PtyRegister::trace, print);
        QObject::connect(&tcp, &TcpRegister::trace, print);
    }

    const QString linkPath = parser.value(QStringLiteral("link"));
    if (!linkPath.isEmpty()) {
        const QFileInfo existing(linkPath);
        if (existing.isSymLink())
            QFile::remove(linkPath);
        else if (existing.exists()) {
            printError(QStringLiteral("%1 exists and is not a symbolic link; not replacing it").arg(linkPath));
            return 1;
        }
        if (!QFile::link(reg.slavePath(), linkPath)) {
            printError(QStringLiteral("cannot make the link %1").arg(linkPath));
            return 1;
        }
    }

    std::fprintf(stdout, "%s\n", reg.slavePath().toLocal8Bit().constData());
    if (listening)
        std::fprintf(stdout, "tcp:%s:%u\n", listenHost.toLocal8Bit().constData(), unsigned(tcp.port()));
    std::fflush(stdout);

    const int served = app.exec();

    int rc = served;
    if (!linkPath.isEmpty() && QFileInfo(linkPath).symLinkTarget() == QFileInfo(reg.slavePath()).absoluteFilePath())
        QFile::remove(linkPath);
    if (!statePath.isEmpty()) {
        QString error;
        if (!reg.state().save(statePath, &error)) {
            printError(error);
            rc = 1;
        }
    }
    return rc;
}
