#include "catalogue/familycatalogue.h"
#include "cli/backupcommands.h"

#include "backup/backupload.h"
#include "backup/backupplace.h"
#include "backup/backupsnapshot.h"
#include "backup/backupwriter.h"
#include "cli/clirun.h"
#include "cli/progressview.h"
#include "cli/registerjob.h"

#include <QEventLoop>
#include <algorithm>
#include <memory>
#include <vector>

namespace BackupCommands {

namespace {

using Jobs = std::vector<std::unique_ptr<RegisterJob>>;

// Starts a job per register and runs them all on one event loop.
Jobs runJobs(const QList<RegisterTarget> &targets, const CliOptions &options, const Regional &regional,
             QTextStream &err, bool terminal, const std::function<void(RegisterJob &, int index)> &start)
{
    QEventLoop loop;
    ProgressView progress(err, terminal);
    Jobs jobs;
    int running = 0;
    for (const RegisterTarget &target : targets) {
        jobs.push_back(std::make_unique<RegisterJob>(target, options, regional));
        RegisterJob *job = jobs.back().get();
        progress.follow(job);
        ++running;
        QObject::connect(job, &RegisterJob::finished, &loop, [&] {
            if (--running == 0)
                loop.quit();
        });
    }
    for (std::size_t i = 0; i < jobs.size(); ++i)
        start(*jobs[i], int(i));
    if (std::any_of(jobs.begin(), jobs.end(), [](const auto &j) { return !j->isDone(); }))
        loop.exec();
    progress.close();
    return jobs;
}

int statusOf(const RegisterResult &r)
{
    if (r.outcome == TransferOutcome::Completed)
        return CliRun::Done;
    return r.outcome == TransferOutcome::Refused ? CliRun::DataError : CliRun::NoAnswer;
}

int worse(int a, int b) { return a == CliRun::NoAnswer || b == CliRun::Done ? a : b; }

// A job that did not complete is told; false then.
bool completed(const RegisterJob &job, QTextStream &err, int *status)
{
    const RegisterResult &r = job.result();
    if (r.outcome == TransferOutcome::Completed)
        return true;
    err << "vilaron-cli: " << (r.error.isEmpty() ? QStringLiteral("каса %1 није прочитана.").arg(r.target.label()) : r.error)
        << '\n';
    *status = worse(*status, statusOf(r));
    return false;
}

} // namespace

QStringList transferNames(ProfileFamilies families)
{
    QStringList out;
    for (const FamilyDescription &d : FamilyCatalogue::all())
        if (families & d.id)
            out << d.key;
    return out;
}

int list(QTextStream &out, const QString &serial)
{
    for (const BackupEntry &entry : BackupPlace::list(serial)) {
        QStringList known;
        for (const auto &[family, count] : entry.known)
            known << QStringLiteral("%1=%2").arg(family).arg(count);
        out << entry.folder << '\t' << entry.serial << '\t' << entry.created.toString(Qt::ISODate) << '\t'
            << known.join(QLatin1Char(',')) << '\n';
    }
    out.flush();
    return CliRun::Done;
}

QList<RegisterTarget> readAndBackUp(const CliOptions &options, ProfileFamilies families, const Regional &regional,
                                    QTextStream &err, bool terminal, int *status)
{
    const Jobs reads = runJobs(options.registers, options, regional, err, terminal,
                               [families](RegisterJob &job, int) { job.startRead(families); });
    QList<RegisterTarget> saved;
    for (const auto &job : reads) {
        if (!completed(*job, err, status))
            continue;
        QString folder, reason;
        if (!BackupWriter::write(job->session(), transferNames(families), &folder, &reason)) {
            err << QStringLiteral("vilaron-cli: каса %1: резервна копија није сачувана, па упис није почео: %2\n")
                       .arg(job->result().target.label(), reason);
            *status = worse(*status, CliRun::UsageError);
            continue;
        }
        err << QStringLiteral("vilaron-cli: каса %1: резервна копија у %2\n").arg(job->result().target.label(), folder);
        saved << job->result().target;
    }
    err.flush();
    return saved;
}

int restore(const CliOptions &options, const Regional &regional, QTextStream &out, QTextStream &err, bool terminal)
{
    BackupLoad::Backup backup;
    ProfileError error;
    if (!BackupLoad::read(options.profile, regional, &backup, &error)) {
        err << "vilaron-cli: " << error.text << '\n';
        err.flush();
        return CliRun::UsageError;
    }
    const QString owner = backup.profile.manifest.serialNumber;
    for (const RegisterTarget &target : options.registers) {
        if (options.anySerial || target.serial == owner)
            continue;
        err << QStringLiteral("vilaron-cli: резервна копија је касе са серијским бројем %1, не %2. Ништа није "
                              "послато. Ако копију ипак треба уписати у ту касу, додајте --any-serial.\n")
                   .arg(owner, target.serial);
        err.flush();
        return CliRun::UsageError;
    }
    int status = CliRun::Done;
    const ProfileFamilies families = backup.known;
    if (families.isEmpty()) {
        err << QStringLiteral("vilaron-cli: резервна копија не зна ниједан запис касе: нема шта да се врати.\n");
        err.flush();
        return status;
    }
    const Jobs reads = runJobs(options.registers, options, regional, err, terminal,
                               [families](RegisterJob &job, int) { job.startRead(families); });
    QList<RegisterTarget> targets;
    QList<RegisterProfile> profiles;
    for (const auto &job : reads) {
        if (!completed(*job, err, &status))
            continue;
        targets << job->result().target;
        profiles << BackupLoad::overlay(backup, job->readProfile());
    }
    const Jobs writes = runJobs(targets, options, regional, err, terminal,
                                [&](RegisterJob &job, int i) {
                                    BackupWriter::guardWrites(job.session());
                                    job.startWrite(profiles[i], families, true, false);
                                });
    for (const auto &job : writes) {
        if (!completed(*job, err, &status))
            continue;
        const RegisterResult &r = job->result();
        out << QStringLiteral("%1: враћено записа %2, једнаких %3\n").arg(r.target.label()).arg(r.recordsWritten).arg(r.skipped);
    }
    out.flush();
    err.flush();
    return status;
}

} // namespace BackupCommands
