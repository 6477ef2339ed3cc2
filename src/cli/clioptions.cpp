#include "cli/clioptions.h"

#include "link/networkaddress.h"

#include <QRegularExpression>
#include <QSet>
#include <functional>

namespace {

const QString HelpHint = QStringLiteral("Опције описује 'vilaron-cli --help'.");
// A register that does not answer is given up after three repeats, so the
// longest wait stays a few minutes.
constexpr int MaxRetryMs = 60000;

bool fail(QString *error, const QString &text)
{
    *error = text + QLatin1Char(' ') + HelpHint;
    return false;
}

bool parseRegister(const QString &value, RegisterTarget *target, QString *error)
{
    // The serial number never holds '='; a port URL might.
    const int at = int(value.lastIndexOf(QLatin1Char('=')));
    if (at <= 0 || at == value.size() - 1)
        return fail(error, QStringLiteral("--register '%1' није облика PORT=SERIAL (на пример "
                                          "--register /dev/ttyUSB0=004512).")
                               .arg(value));
    target->port = value.left(at);
    target->serial = value.mid(at + 1);
    if (NetworkAddress::looksLikeUrl(target->port) && !NetworkAddress::parse(target->port))
        return fail(error, QStringLiteral("--register '%1': адреса није облика tcp://HOST:PORT или rfc2217://HOST:PORT.")
                               .arg(value));
    return true;
}

bool parseCommand(const QString &word, CliOptions::Command *command)
{
    static const QList<QPair<QString, CliOptions::Command>> commands = {
        {QStringLiteral("read"), CliOptions::Command::Read},
        {QStringLiteral("write"), CliOptions::Command::Write},
        {QStringLiteral("verify"), CliOptions::Command::Verify},
        {QStringLiteral("ports"), CliOptions::Command::Ports},
        {QStringLiteral("find"), CliOptions::Command::Find},
        {QStringLiteral("backups"), CliOptions::Command::Backups},
        {QStringLiteral("restore"), CliOptions::Command::Restore},
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
        if (arg == QLatin1String("--backup")) {
            o.backup = true;
            continue;
        }
        if (arg == QLatin1String("--any-serial")) {
            o.anySerial = true;
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
            {"--serial",
             [&](const QString &v) {
                 static const QRegularExpression sixDigits(QStringLiteral("^[0-9]{6}$"));
                 if (!sixDigits.match(v).hasMatch())
                     return fail(error, QStringLiteral("--serial је серијски број касе од шест цифара, не '%1'.").arg(v));
                 o.findSerial = v;
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
                 if (!ok || o.retryMs < 1 || o.retryMs > MaxRetryMs)
                     return fail(error, QStringLiteral("--retry-ms је број милисекунди од 1 до %1.").arg(MaxRetryMs));
                 return true;
             }},
        };
        bool handled = false;
        for (const Valued &option : valued) {
            const QString name = QString::fromLatin1(option.name);
            if (!optionValue(arguments, &i, name, &value, &matched))
                return fail(error, QStringLiteral("%1 тражи вредност.").arg(name));
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
            return fail(error, QStringLiteral("Непозната опција '%1'.").arg(arg));
        positional << arg;
    }

    if (positional.isEmpty())
        return fail(error, QStringLiteral("Није дата команда: read, write, verify, ports, find, backups или restore."));
    if (!parseCommand(positional.first(), &o.command))
        return fail(error, QStringLiteral("Непозната команда '%1': постоје read, write, verify, ports, find, backups и restore.")
                               .arg(positional.first()));
    if (o.command == Command::Find && o.findSerial.isEmpty())
        return fail(error, QStringLiteral("Команда find тражи --serial NNNNNN: серијски број касе која се тражи."));
    const bool needsProfile =
        o.command != Command::Ports && o.command != Command::Find && o.command != Command::Backups;
    if (positional.size() > (needsProfile ? 2 : 1))
        return fail(error, QStringLiteral("Превише аргумената после команде: '%1'.").arg(positional.last()));
    if (needsProfile) {
        if (positional.size() < 2)
            return fail(error, o.command == Command::Restore
                                   ? QStringLiteral("Команда restore тражи фасциклу резервне копије BACKUP.")
                                   : QStringLiteral("Команда %1 тражи фасциклу PROFILE.").arg(positional.first()));
        o.profile = positional.at(1);
        if (o.registers.isEmpty())
            return fail(error, QStringLiteral("Команда %1 тражи бар једно --register PORT=SERIAL.")
                                   .arg(positional.first()));
    }
    QSet<QString> ports, serials;
    for (const RegisterTarget &target : o.registers) {
        if (ports.contains(target.port))
            return fail(error, QStringLiteral("Порт %1 је дат двапут: свака каса има свој порт.")
                                   .arg(target.port));
        if (serials.contains(target.serial))
            return fail(error, QStringLiteral("Серијски број %1 је дат двапут: свака каса има свој.")
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
            return fail(error, QStringLiteral("--families наводи passwords: лозинке се преносе само уз --with-passwords."));
        o.families = families;
    }
    if (o.changesOnly && o.command != Command::Write)
        return fail(error, QStringLiteral("--changes-only иде уз команду write."));
    if (o.verify && o.command != Command::Write)
        return fail(error, QStringLiteral("--verify иде уз команду write (или употребите команду verify)."));
    if (o.backup && o.command != Command::Write)
        return fail(error, QStringLiteral("--backup иде уз команду write."));
    if (o.anySerial && o.command != Command::Restore)
        return fail(error, QStringLiteral("--any-serial иде уз команду restore."));
    if (!o.findSerial.isEmpty() && o.command != Command::Find && o.command != Command::Backups)
        return fail(error, QStringLiteral("--serial иде уз команде find и backups."));
    *options = o;
    return true;
}

QString CliOptions::helpText()
{
    return QStringLiteral(
        "Употреба: vilaron-cli [--register PORT=SERIAL]... [--families LIST] [--changes-only] [--verify]\n"
        "                      [--with-passwords] [--trace FILE] [--retry-ms N] [--json] COMMAND [PROFILE]\n"
        "       vilaron-cli find --serial NNNNNN\n"
        "       vilaron-cli import FILE PROFILE [--sheet NAME] [--mapping TEMPLATE]\n"
        "                      [--mode replace|number|barcode]\n"
        "       vilaron-cli backups [--serial NNNNNN]\n"
        "       vilaron-cli restore BACKUP --register PORT=SERIAL [--any-serial]\n"
        "\n"
        "Чита профил касе из Vilaron каса, уписује профил у њих или их пореди с њим.\n"
        "Више каса се опслужује истовремено.\n"
        "\n"
        "Команде:\n"
        "  read PROFILE     попуњава фасциклу PROFILE из касе (са више каса, по једна\n"
        "                   подфасцикла за сваки серијски број)\n"
        "  write PROFILE    уписује профил у сваку касу\n"
        "  verify PROFILE   пореди сваку касу с профилом; излазни статус 1 кад постоји разлика\n"
        "  ports            набраја серијске портове овог рачунара с њиховим описима\n"
        "  find             шаље захтев за читање свим слободним серијским портовима одједном\n"
        "                   и наводи на ком каса са --serial одговара; излазни статус 3 кад\n"
        "                   ниједна не одговори\n"
        "  import FILE PROFILE  уноси списак артикала продавнице (CSV, XLSX, ODS) у articles.csv\n"
        "                   профила, уз исте провере као прозор увоза; наводи збир и проблеме;\n"
        "                   излазни статус 4 кад је нека вредност одбијена\n"
        "  backups          наводи резервне копије (пре сваког уписа програм сачува оно што зна\n"
        "                   да каса држи), најновије прве: фасцикла, серијски број, време и\n"
        "                   колико је записа сваке групе познато\n"
        "  restore BACKUP   уписује у касу познате записе резервне копије BACKUP, само оне који\n"
        "                   се разликују; одбија копију касе другог серијског броја\n"
        "\n"
        "Опције:\n"
        "  --register PORT=SERIAL  каса: њен порт (/dev/ttyUSB0, COM1, tcp://HOST:PORT или\n"
        "                          rfc2217://HOST:PORT) и серијски број; поновите за више каса\n"
        "  --serial NNNNNN         find: серијски број касе која се тражи\n"
        "  --families LIST         групе параметара, одвојене зарезом, од header,taxes,departments,\n"
        "                          articles,groups,operators,logo,passwords (подразумевано: све\n"
        "                          групе профила осим лозинки)\n"
        "  --changes-only          write: прво чита касу и шаље само записе који се разликују\n"
        "  --verify                write: после уписа пореди касу с профилом\n"
        "  --backup                write: прво прочита сваку касу и сачува резервну копију\n"
        "  --any-serial            restore: и копију касе другог серијског броја\n"
        "  --with-passwords        и лозинке касе (чувају се читљиве само власнику)\n"
        "  --trace FILE            праћење везе сваке касе у FILE, са серијским бројем пре\n"
        "                          наставка (trace.txt -> trace-004512.txt)\n"
        "  --retry-ms N            колико милисекунди захтев чека одговор пре него што се пошаље\n"
        "                          поново (1 до 60000, подразумевано 5000 као у програму); после\n"
        "                          трећег понављања каса се сматра неодговорном. Дуже чекање\n"
        "                          одговара спорој вези; краће од времена одговора шаље захтеве\n"
        "                          поново док одговори стижу\n"
        "  --json                  кратак извештај у JSON облику на стандардном излазу\n"
        "  --help                  приказује овај текст\n"
        "  --version               приказује верзију програма\n"
        "\n"
        "Разлике се наводе као у прозору разлика: група, број записа као у датотеци профила,\n"
        "поље и вредност у каси и у профилу (\"Артикли 42, Цена: у каси 150, у профилу 148,5\").\n"
        "\n"
        "Излазни статус: 0 готово, 1 има разлика, 2 погрешна употреба или неисправан профил,\n"
        "3 каса није одговорила или јој је порт отказао, 4 запис одбијен као грешка у подацима.\n");
}
