// The cost of the data-loss questions: a write click digests its family's
// table, a close digests all eight. Prints the time of one digest of the
// full article table and of the check behind closing the window.
//
//   tablestates_bench
#include "transfer/tabledigest.h"
#include "params/articles/articlefamily.h"
#include "session/registersession.h"
#include "session/tablestates.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    RegisterSession session;
    session.reset();
    ArticleTableModel &model = session.articles().model();
    for (int r = 0; r < model.rowCount(); ++r)
        model.setCell(r, ArticleTableModel::Name, QStringLiteral("Артикал број %1").arg(r + 1));

    constexpr int Rounds = 20;
    QElapsedTimer clock;
    clock.start();
    QByteArray digest;
    for (int i = 0; i < Rounds; ++i)
        digest = TableDigest::ofModel(model);
    const double articleMs = double(clock.nsecsElapsed()) / 1e6 / Rounds;

    clock.restart();
    int unsaved = 0;
    for (int i = 0; i < Rounds; ++i)
        unsaved += int(session.tableStates().withUnsavedEdits().size());
    const double closeMs = double(clock.nsecsElapsed()) / 1e6 / Rounds;

    std::printf("digest of 4000 articles: %.2f ms\n", articleMs);
    std::printf("close check over eight tables: %.2f ms (%d unsaved)\n", closeMs, unsaved / Rounds);
    return digest.isEmpty() ? 1 : 0;
}
