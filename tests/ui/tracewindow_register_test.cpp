// The trace window over a real read: the tax rates against the simulator,
// through the program's own serial port.
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/trace/tracemodel.h"
#include "link/traceformat.h"
#include "widgets/filedialogs.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString TaxReadDone = QStringLiteral("Завршено читање пореских група");

// The frames the simulator saw ("<-") and sent ("->"), as hex text.
struct SimLog {
    QStringList requests;
    QStringList replies;
};

QString bytesOf(const QString &simLine)
{
    static const QRegularExpression hex(QStringLiteral("((?:[0-9A-F]{2} )+[0-9A-F]{2})"));
    const QRegularExpressionMatch m = hex.match(simLine.mid(3));
    return m.hasMatch() ? m.captured(1) : QString();
}

TEST(TraceWindowOnARegister, ShowsTheNineRequestsAndRepliesOfATaxReadAndSavesThem)
{
    PtyRegister reg;
    ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
    SimLog sim;
    QObject::connect(&reg, &PtyRegister::trace, [&](const QString &line) {
        if (line.startsWith(QLatin1String("<-")))
            sim.requests << bytesOf(line);
        else if (line.startsWith(QLatin1String("->")))
            sim.replies << bytesOf(line);
    });

    MainWindowOptions options;
    options.registerPort = reg.slavePath();
    MainWindow window(options);
    auto *dialog = new MessageDialog(&window);
    dialog->setNonBlocking(true);
    window.setMessageDialog(dialog);
    window.show();
    window.findChild<QLineEdit *>(QStringLiteral("EdtId"))->setText(QStringLiteral("004512"));
    window.findChild<QPushButton *>(QStringLiteral("btnCOM"))->click();
    ASSERT_TRUE(window.registerLine().isOpen());

    window.findChild<QPushButton *>(QStringLiteral("btnTGRead"))->click();
    auto *status = window.findChild<QLabel *>(QStringLiteral("Status"));
    ASSERT_TRUE(waitUntil([&] { return status->text() == TaxReadDone && !window.driver().isBusy(); }, 15000));
    ASSERT_EQ(sim.requests.size(), 9);
    ASSERT_EQ(sim.replies.size(), 9);

    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    auto *trace = window.findChild<QWidget *>(QStringLiteral("frmTrace"));
    ASSERT_NE(trace, nullptr);
    EXPECT_TRUE(trace->isVisible());
    EXPECT_EQ(trace->windowTitle(), QStringLiteral("Праћење везе"));
    auto *view = trace->findChild<QTableView *>(QStringLiteral("tvTrace"));
    ASSERT_NE(view, nullptr);
    auto *model = qobject_cast<TraceModel *>(view->model());
    ASSERT_NE(model, nullptr);
    model->sync();

    QStringList sent, received, directions;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString direction = model->index(row, TraceFormat::Direction).data().toString();
        const QString bytes = model->index(row, TraceFormat::Bytes).data().toString();
        directions << direction;
        if (direction == QStringLiteral("→"))
            sent << bytes;
        else if (direction == QStringLiteral("←"))
            received << bytes;
    }
    EXPECT_EQ(sent, sim.requests);
    EXPECT_EQ(received, sim.replies);
    // The port opened first; then each request is followed by its reply.
    ASSERT_EQ(directions.size(), 19);
    EXPECT_EQ(directions[0], QStringLiteral("•"));
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(directions[1 + 2 * i], QStringLiteral("→")) << i;
        EXPECT_EQ(directions[2 + 2 * i], QStringLiteral("←")) << i;
        EXPECT_EQ(model->index(1 + 2 * i, TraceFormat::CommandName).data().toString(),
                  QStringLiteral("107 читање пореске стопе"));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.txt"));
    FileDialogs::answerNext(path);
    trace->findChild<QPushButton *>(QStringLiteral("btnTraceSave"))->click();
    EXPECT_TRUE(FileDialogs::lastDefaultName().startsWith(QStringLiteral("trace_004512_")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.takeLast(), QString());
    ASSERT_EQ(lines.size(), 1 + 19);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("vilaron-setup ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\tпорт ") + reg.slavePath()));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\tсеријски број 004512\t")));
    for (int row = 0; row < 19; ++row) {
        QStringList cells;
        for (int c = 0; c < TraceFormat::ColumnCount; ++c)
            cells << model->index(row, c).data().toString();
        EXPECT_EQ(lines[1 + row], cells.join(QLatin1Char('\t'))) << row;
    }
    window.findChild<QPushButton *>(QStringLiteral("btnCOM"))->click();
}

} // namespace
