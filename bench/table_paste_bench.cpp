// Pasting a whole article table from a spreadsheet and taking it back: the
// time of one paste of 4000 rows x 8 columns through the table's editing
// helper (clipboard text decoded, typing rules, one undo step, the view
// told once), the time of undoing it, and the memory 100 such steps hold.
//
//   QT_QPA_PLATFORM=offscreen table_paste_bench
#include "edit/edithistory.h"
#include "params/articles/articletablemodel.h"
#include "params/common/tableediting.h"
#include "transfer/parameterfamily.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QTableView>
#include <cstdio>

namespace {

// The process's resident memory in MB.
double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// A sheet of 4000 articles, every cell different from the step before.
QString sheet(int step)
{
    QString text;
    for (int r = 0; r < ArticleTableModel::RowCount; ++r)
        text += QStringLiteral("Артикал %1 серија %2\t%3\t%4\t%5,%6\t%7\t%8\t%9\t%10\r\n")
                    .arg(r + 1)
                    .arg(step)
                    .arg(8600000000000LL + r * 7 + step)
                    .arg(1 + (r + step) % 8)
                    .arg(r + step)
                    .arg((r * 3 + step) % 100, 2, 10, QLatin1Char('0'))
                    .arg(QStringLiteral("АГДЂЕЖИJК").at((r + step) % 9))
                    .arg(r % 50 + step)
                    .arg((r + step) % 13)
                    .arg(step);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ArticleTableModel model;
    QTableView view;
    view.setModel(&model);
    ParameterFamily reports;
    TableEditing editing(&view, model, model.history(), reports);
    view.resize(800, 600);
    view.show();
    QApplication::processEvents();
    const auto pasteAtFirstName = [&] {
        view.setCurrentIndex(model.index(0, ArticleTableModel::Name));
        view.selectionModel()->select(model.index(0, ArticleTableModel::Name), QItemSelectionModel::ClearAndSelect);
        editing.paste();
    };

    QApplication::clipboard()->setText(sheet(0));
    QElapsedTimer clock;
    clock.start();
    pasteAtFirstName();
    const double pasteMs = double(clock.nsecsElapsed()) / 1e6;
    QApplication::processEvents();
    clock.restart();
    model.history().undo();
    const double undoMs = double(clock.nsecsElapsed()) / 1e6;
    model.history().redo();
    model.history().clear();

    constexpr int Steps = EditHistory::DefaultLimit;
    const double before = residentMb();
    for (int step = 1; step <= Steps; ++step) {
        QApplication::clipboard()->setText(sheet(step));
        pasteAtFirstName();
    }
    QApplication::clipboard()->clear();
    QApplication::processEvents();
    const double after = residentMb();

    std::printf("paste of 4000 x 8 cells: %.1f ms\n", pasteMs);
    std::printf("undo of that paste: %.1f ms\n", undoMs);
    std::printf("%d such steps: %.1f MB resident more (%.1f MB in the steps' texts), %d steps kept\n", Steps,
                after - before, double(model.history().heldBytes()) / (1024.0 * 1024.0), model.history().undoCount());
    return model.history().undoCount() == Steps ? 0 : 1;
}
