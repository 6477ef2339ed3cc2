#include "cli/importcommand.h"

#include "import/bookreader.h"
#include "import/importapply.h"
#include "import/importproblems.h"
#include "import/mappingguess.h"
#include "import/mappingtemplate.h"
#include "profile/profilefolder.h"
#include "profile/profilemanifestfile.h"
#include "vilaronversion.h"

#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QHash>

namespace ImportCommand {

namespace {

constexpr int Done = 0;
constexpr int UsageError = 2;
constexpr int Refused = 4;

struct Call {
    QString file;
    QString profile;
    QString sheet;
    QString mapping;
    ImportMode mode = ImportMode::Replace;
};

bool parse(const QStringList &args, Call *call, QString *error)
{
    QStringList positional;
    for (int i = 2; i < args.size(); ++i) {
        const QString arg = args.at(i);
        QString name = arg;
        QString value;
        const bool valued = arg.startsWith(QLatin1String("--"));
        if (valued) {
            const int eq = int(arg.indexOf(QLatin1Char('=')));
            if (eq > 0) {
                name = arg.left(eq);
                value = arg.mid(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args.at(++i);
            } else {
                *error = QStringLiteral("%1 тражи вредност.").arg(arg);
                return false;
            }
        }
        if (!valued) {
            positional << arg;
        } else if (name == QLatin1String("--sheet")) {
            call->sheet = value;
        } else if (name == QLatin1String("--mapping")) {
            call->mapping = value;
        } else if (name == QLatin1String("--mode")) {
            static const QHash<QString, ImportMode> modes = {{QStringLiteral("replace"), ImportMode::Replace},
                                                             {QStringLiteral("number"), ImportMode::ByNumber},
                                                             {QStringLiteral("barcode"), ImportMode::ByBarcode}};
            if (!modes.contains(value)) {
                *error = QStringLiteral("--mode је replace, number или barcode, не '%1'.").arg(value);
                return false;
            }
            call->mode = modes.value(value);
        } else if (name != QLatin1String("--retry-ms")) { // harmless where every command takes it
            *error = QStringLiteral("Непозната опција '%1' за команду import.").arg(name);
            return false;
        }
    }
    if (positional.size() != 2) {
        *error = QStringLiteral("Команда import тражи FILE и PROFILE: vilaron-cli import FILE PROFILE [--sheet NAME] "
                                "[--mapping TEMPLATE] [--mode replace|number|barcode].");
        return false;
    }
    call->file = positional.at(0);
    call->profile = positional.at(1);
    return true;
}

// The profile in the folder, or a new one holding only the articles.
bool loadProfile(const QString &folder, const Regional &regional, RegisterProfile *profile, ProfileFamilies *listed,
                 QString *error)
{
    QFile manifest(QDir(folder).filePath(QStringLiteral("profile.json")));
    if (!manifest.exists()) {
        profile->manifest.programVersion = QString::fromLatin1(VilaronVersion);
        profile->manifest.created = QDateTime::currentDateTime();
        profile->manifest.separators = regional;
        *listed = ProfileFamilies();
        return true;
    }
    ProfileManifest m;
    ProfileError e;
    if (!manifest.open(QIODevice::ReadOnly) || !ProfileManifestFile::read(manifest.readAll(), &m, listed, &e)
        || !ProfileFolder::read(folder, regional, *listed, profile, &e)) {
        *error = e.text.isEmpty() ? manifest.errorString() : e.text;
        return false;
    }
    return true;
}

} // namespace

bool isImport(const QStringList &arguments)
{
    return arguments.size() > 1 && arguments.at(1) == QLatin1String("import");
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err, const Regional &regional)
{
    Call call;
    QString error;
    const auto fail = [&err](const QString &text) {
        err << "vilaron-cli: " << text << '\n';
        err.flush();
        return UsageError;
    };
    if (!parse(arguments, &call, &error))
        return fail(error);
    const Workbook book = BookReader::readFile(call.file);
    if (!book.ok())
        return fail(book.error);
    int index = call.sheet.isEmpty() ? 0 : -1;
    for (int i = 0; i < book.sheets.size() && index < 0; ++i)
        if (book.sheets.at(i).name == call.sheet)
            index = i;
    if (index < 0 || index >= book.sheets.size())
        return fail(QStringLiteral("У „%1“ нема листа „%2“.").arg(call.file, call.sheet));
    const Sheet &sheet = book.sheets.at(index);

    RegisterProfile profile;
    ProfileFamilies listed;
    if (!loadProfile(call.profile, regional, &profile, &listed, &error))
        return fail(error);

    ImportRequest request;
    request.target = &ImportTarget::articles();
    request.mode = call.mode;
    request.regional = regional;
    request.startUp = ImportApply::startUpArticles();
    request.current = profile.articles.value_or(request.startUp);
    QStringList rates;
    for (const QStringList &row : profile.taxRates.value_or(QList<QStringList>()))
        rates << row.value(1);
    request.rates = ImportTaxRates::fromTexts(rates, regional);
    const MappingGuess::Guess guess = MappingGuess::guess(sheet, *request.target);
    request.mapping = guess.mapping;
    request.headingRow = guess.headingRow;
    if (!call.mapping.isEmpty()) {
        QFile file(call.mapping);
        MappingTemplate::Saved saved;
        if (!file.open(QIODevice::ReadOnly)
            || !MappingTemplate::read(file.readAll(), sheet, qMax(guess.headingRow, 0), *request.target, &saved, &error))
            return fail(QStringLiteral("„%1“: %2.").arg(call.mapping, error.isEmpty() ? file.errorString() : error));
        request.mapping = saved.mapping;
        request.headingRow = saved.headings ? qMax(guess.headingRow, 0) : -1;
    }
    const ImportPlan plan = ImportPlanner::plan(sheet, request);
    if (!plan.refusal.isEmpty())
        return fail(QStringLiteral("„%1“, лист „%2“: %3").arg(call.file, sheet.name, plan.refusal));

    profile.articles = plan.rows;
    ProfileError written;
    if (!ProfileFolder::write(call.profile, profile, listed | ProfileFamily::Articles, &written))
        return fail(written.text);
    out << plan.summary.text() << '\n';
    for (const ImportProblem &p : plan.problems)
        out << ImportProblems::line(p) << '\n';
    out.flush();
    return plan.anyRefused() ? Refused : Done;
}

} // namespace ImportCommand
