// Loads 50 MB article files through the file action behind the load button
// (chunked reading, the bounded line scanner, the table update) and prints
// the time the call blocks the window and the growth of the peak memory.
//
//   tablefile_load_bench
//
// Cases: one 50 MB line (a 50-million-character name), 50 MB of ordinary
// article lines (only the first 4000 are loaded), and 50 MB of binary junk
// with zero bytes (refused).
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "tablefiles/tablefileactions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

class IdlePort : public LinkPort {
public:
    bool isOpen() const override { return true; }
    bool write(const QByteArray &, QString *) override { return true; }
};

class IdleTimer : public RetryTimer {
public:
    void start() override {}
    void stop() override {}
    bool isActive() const override { return false; }
};

constexpr qsizetype FileSize = 50 * 1000 * 1000;

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    IdlePort port;
    IdleTimer timer;
    ExchangeDriver driver(port, timer);
    FamilyContext context{driver, Regional::comma()};
    ArticleFamily articles(context);
    DepartmentFamily departments(context);
    TableFileActions actions(articles, departments, Regional::comma());
    QTemporaryDir dir;

    struct Case {
        const char *name;
        QString path;
    };
    // Each file is written a piece at a time, so that making it does not
    // raise the peak memory that the loads are measured against.
    const auto make = [&dir](const char *file, const QByteArray &head, const std::function<QByteArray(qsizetype)> &piece,
                             const QByteArray &tail) {
        const QString path = dir.filePath(QString::fromLatin1(file));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        f.write(head);
        qsizetype written = head.size();
        while (written < FileSize - tail.size()) {
            const QByteArray p = piece(written).left(FileSize - tail.size() - written);
            f.write(p);
            written += p.size();
        }
        f.write(tail);
        return path;
    };
    const QByteArray name(1 << 20, 'N');
    const QByteArray articleLine = "1;\"Artikal\";\"8600000000000\";1;45,5;\"3\";0;0;0;0;\r\n";
    QByteArray lines;
    while (lines.size() < (1 << 20))
        lines += articleLine;
    QByteArray junk(1 << 20, '\0');
    for (qsizetype i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 131 + 7) % 256);
    const QList<Case> cases = {
        {"one 50 MB line", make("line.csv", "1;\"", [&](qsizetype) { return name; },
                                "\";\"860\";1;45,5;\"3\";0;0;0;0;\r\n")},
        {"50 MB of article lines", make("lines.csv", QByteArray(), [&](qsizetype) { return lines; }, QByteArray())},
        {"50 MB of binary junk", make("junk.csv", QByteArray(), [&](qsizetype) { return junk; }, QByteArray())},
    };

    for (const Case &c : cases) {
        const long before = peakKilobytes();
        QElapsedTimer clock;
        clock.start();
        const bool loaded = actions.loadArticles(c.path);
        const qint64 ms = clock.elapsed();
        const long grown = peakKilobytes() - before;
        std::printf("%-24s %-8s %6lld ms blocked, peak memory +%ld KB, name cell %lld characters\n", c.name,
                    loaded ? "loaded" : "refused", static_cast<long long>(ms), grown,
                    static_cast<long long>(articles.model().cell(0, 1).size()));
    }
    return 0;
}
