// The backup before a write: the time from the write click to the first
// request grows by one backup of what the mirror knows. Prints the time of
// a backup of a full 4000-article mirror (the slowest and the median of
// the rounds); the backups go to a scratch data folder.
//
//   backup_bench
#include "backup/backupwriter.h"
#include "params/articles/articlefamily.h"
#include "session/registersession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    RegisterSession session;
    session.setSerialNumberSource([] { return QStringLiteral("004512"); });
    session.reset();
    ArticleTableModel &model = session.articles().model();
    TransferEngine &engine = session.articles().transfer();
    for (int r = 0; r < model.rowCount(); ++r) {
        model.setCell(r, ArticleTableModel::Name, QStringLiteral("Артикал број %1").arg(r + 1));
        model.setCell(r, ArticleTableModel::Barcode, QString::number(8600000000000LL + r));
        model.setCell(r, ArticleTableModel::Price, QStringLiteral("%1,50").arg(r));
        session.mirror().confirm(QStringLiteral("articles"), r, *engine.rules().writeRequest(r));
    }

    constexpr int Rounds = 20;
    std::vector<double> ms;
    QString folder, reason;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!BackupWriter::write(session, {QStringLiteral("articles")}, &folder, &reason)) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(reason));
            return 1;
        }
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("backup of a 4000-article mirror: median %.2f ms, slowest %.2f ms (%d rounds)\n", ms[Rounds / 2],
                ms.back(), Rounds);
    return 0;
}
