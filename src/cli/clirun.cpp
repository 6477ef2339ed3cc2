#include "cli/clirun.h"

#include "backup/backupwriter.h"
#include "cli/backupcommands.h"
#include "cli/clitrace.h"
#include "cli/differencetext.h"
#include "cli/importcommand.h"
#include "cli/progressview.h"
#include "cli/readwarnings.h"
#include "cli/registerjob.h"
#include "link/portfacts.h"
#include "link/tracefile.h"
#include "link/tracerecorder.h"
#include "profile/profilefolder.h"
#include "vilaronversion.h"

#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <vector>

namespace {

QJsonObject summaryOf(const RegisterResult &r, const QStringList &warnings)
{
    QJsonArray differences;
    for (const RecordDifference &d : r.differences)
        differences << DifferenceText::json(d);
    QJsonObject o{{QStringLiteral("port"), r.target.port},
                  {QStringLiteral("serial"), r.target.serial},
                  {QStringLiteral("families"), QJsonArray::fromStringList(r.families)},
                  {QStringLiteral("recordsWritten"), r.recordsWritten},
                  {QStringLiteral("skipped"), r.skipped},
                  {QStringLiteral("differences"), int(r.differences.size())},
                  {QStringLiteral("differenceList"), differences},
                  {QStringLiteral("outcome"), TransferOutcomes::key(r.outcome)},
                  {QStringLiteral("seconds"), r.seconds}};
    if (!r.error.isEmpty())
        o.insert(QStringLiteral("error"), r.error);
    if (!warnings.isEmpty())
        o.insert(QStringLiteral("warnings"), QJsonArray::fromStringList(warnings));
    return o;
}

// The exit status of one register's run.
int statusOf(const RegisterResult &r)
{
    if (r.outcome == TransferOutcome::Refused)
        return CliRun::DataError;
    if (r.outcome != TransferOutcome::Completed)
        return CliRun::NoAnswer;
    return r.differences.isEmpty() ? CliRun::Done : CliRun::Differences;
}

// The worst of two statuses: a register that did not answer outranks a
// refused record, which outranks differences.
int worse(int a, int b)
{
    static const int rank[] = {0, 1, 0, 3, 2}; // by status 0..4 (2 never comes from a register)
    return rank[b] > rank[a] ? b : a;
}

} // namespace

CliRun::CliRun(QTextStream &out, QTextStream &err, const Regional &regional, bool terminal)
    : m_out(out), m_err(err), m_regional(regional), m_terminal(terminal)
{
}

int CliRun::exec(const QStringList &arguments)
{
    if (ImportCommand::isImport(arguments))
        return ImportCommand::run(arguments, m_out, m_err, m_regional);
    CliOptions options;
    QString error;
    if (!CliOptions::parse(arguments, &options, &error)) {
        m_err << "vilaron-cli: " << error << '\n';
        m_err.flush();
        return UsageError;
    }
    switch (options.action) {
    case CliOptions::Action::Help:
        m_out << CliOptions::helpText();
        m_out.flush();
        return Done;
    case CliOptions::Action::Version:
        m_out << "vilaron-cli " << VilaronVersion << '\n';
        m_out.flush();
        return Done;
    case CliOptions::Action::Run: break;
    }
    if (options.command == CliOptions::Command::Ports)
        return listPorts();
    if (options.command == CliOptions::Command::Find)
        return findRegister(options.findSerial);
    if (options.command == CliOptions::Command::Backups)
        return BackupCommands::list(m_out, options.findSerial);
    if (options.command == CliOptions::Command::Restore)
        return BackupCommands::restore(options, m_regional, m_out, m_err, m_terminal);
    return runRegisters(options);
}

int CliRun::listPorts()
{
    const QList<PortFacts::SystemPort> ports = m_ports();
    for (const PortFacts::SystemPort &port : ports) {
        m_out << port.device;
        if (!port.description.isEmpty())
            m_out << '\t' << port.description;
        for (const QString &link : port.links)
            m_out << '\t' << link;
        m_out << '\n';
    }
    if (ports.isEmpty())
        m_err << QStringLiteral("vilaron-cli: систем не налази ниједан серијски порт. Прикључите USB адаптер "
                                "касе или проверите његов управљачки програм.\n");
    m_out.flush();
    m_err.flush();
    return Done;
}

int CliRun::findRegister(const QString &serial)
{
    RegisterProbe probe(m_ports);
    QList<RegisterProbe::Result> results;
    QEventLoop loop;
    QObject::connect(&probe, &RegisterProbe::finished, &loop, [&](const QList<RegisterProbe::Result> &r) {
        results = r;
        loop.quit();
    });
    probe.start(serial);
    if (probe.running())
        loop.exec();
    for (const RegisterProbe::Result &r : results)
        m_out << r.device << '\t' << r.description << '\t' << RegisterProbe::outcomeText(r.outcome) << '\n';
    if (results.isEmpty())
        m_err << QStringLiteral("vilaron-cli: систем не налази ниједан серијски порт.\n");
    else if (!RegisterProbe::anyAnswered(results))
        m_err << QStringLiteral("vilaron-cli: каса са серијским бројем %1 није одговорила ни на једном порту.\n").arg(serial);
    m_out.flush();
    m_err.flush();
    return RegisterProbe::anyAnswered(results) ? Done : NoAnswer;
}

int CliRun::runRegisters(const CliOptions &options)
{
    const bool reading = options.command == CliOptions::Command::Read;
    ProfileFamilies families;
    RegisterProfile profile;
    if (reading) {
        families = options.families.value_or(ProfileFamilyNames::withoutSecrets());
        if (options.withPasswords && !options.families)
            families |= ProfileFamily::Passwords;
    } else {
        // Nothing goes to any register before the whole profile is read and checked.
        ProfileError error;
        std::optional<ProfileFamilies> chosen = options.families;
        if (!chosen && options.withPasswords) {
            RegisterProfile listed;
            if (ProfileFolder::read(options.profile, m_regional, std::nullopt, &listed, &error))
                chosen = listed.families() | ProfileFamily::Passwords;
        }
        if (!error.text.isEmpty() || !ProfileFolder::read(options.profile, m_regional, chosen, &profile, &error)) {
            m_err << "vilaron-cli: " << error.text << '\n'
                  << QStringLiteral("Ништа није послато ни у једну касу. Исправите профил (или изаберите друге "
                                    "--families) и покрените команду поново.\n");
            m_err.flush();
            return UsageError;
        }
        families = profile.families();
    }

    int status = Done;
    const bool writing = options.command == CliOptions::Command::Write;
    const QList<RegisterTarget> targets =
        writing && options.backup
            ? BackupCommands::readAndBackUp(options, families, m_regional, m_err, m_terminal, &status)
            : options.registers;
    QEventLoop loop;
    ProgressView progress(m_err, m_terminal);
    std::vector<std::unique_ptr<RegisterJob>> jobs;
    int running = 0;
    for (const RegisterTarget &target : targets) {
        jobs.push_back(std::make_unique<RegisterJob>(target, options, m_regional));
        RegisterJob *job = jobs.back().get();
        // Every write backs up what the register was known to hold (with
        // --backup that backup is made already, from a whole read).
        if (writing && !options.backup)
            BackupWriter::guardWrites(job->session());
        progress.follow(job);
        ++running;
        QObject::connect(job, &RegisterJob::finished, &loop, [&] {
            if (--running == 0)
                loop.quit();
        });
    }
    for (auto &job : jobs) {
        switch (options.command) {
        case CliOptions::Command::Read: job->startRead(families); break;
        case CliOptions::Command::Write:
            job->startWrite(profile, families, options.changesOnly, options.verify);
            break;
        case CliOptions::Command::Verify: job->startVerify(profile, families); break;
        case CliOptions::Command::Ports:
        case CliOptions::Command::Find:
        case CliOptions::Command::Backups:
        case CliOptions::Command::Restore: break;
        }
    }
    if (running > 0)
        loop.exec();
    progress.close();

    QJsonArray summaries;
    for (auto &job : jobs) {
        const RegisterResult &r = job->result();
        int jobStatus = statusOf(r);
        QStringList warnings;
        if (!r.error.isEmpty())
            m_err << "vilaron-cli: " << r.error << '\n';
        if (reading && jobStatus == Done) {
            const RegisterProfile read = job->readProfile();
            warnings = ReadWarnings::of(read);
            for (const QString &warning : warnings)
                m_err << QStringLiteral("vilaron-cli: каса %1: ").arg(r.target.label()) << warning << '\n';
            const QString folder = options.registers.size() == 1
                                       ? options.profile
                                       : QDir(options.profile).filePath(r.target.serial);
            ProfileError error;
            if (!ProfileFolder::write(folder, read, families, &error)) {
                m_err << QStringLiteral("vilaron-cli: каса %1: профил је прочитан, али није сачуван: %2 Изаберите "
                                        "фасциклу у коју смете да пишете и покрените команду поново.\n")
                             .arg(r.target.label(), error.text);
                jobStatus = UsageError;
            }
        }
        if (!options.json)
            for (const RecordDifference &d : r.differences)
                m_out << r.target.label() << ": " << DifferenceText::line(d) << '\n';
        if (TraceRecorder *trace = job->trace()) {
            const QString path = traceFileFor(options.trace, r.target.serial);
            TraceFormat::Header header{QStringLiteral("vilaron-cli %1").arg(QLatin1String(VilaronVersion)),
                                       r.target.port, r.target.serial, trace->startedMs()};
            QString error;
            if (!TraceFile::save(path, header, *trace, &error))
                m_err << QStringLiteral("vilaron-cli: каса %1: праћење везе није уписано: %2 Изаберите другу "
                                        "--trace датотеку.\n")
                             .arg(r.target.label(), error);
        }
        summaries << summaryOf(r, warnings);
        status = jobStatus == UsageError ? (status == Done ? UsageError : status) : worse(status, jobStatus);
    }
    if (options.json)
        m_out << QJsonDocument(QJsonObject{{QStringLiteral("registers"), summaries}}).toJson(QJsonDocument::Indented);
    m_out.flush();
    m_err.flush();
    return status;
}
