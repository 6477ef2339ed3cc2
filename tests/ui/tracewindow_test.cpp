// The trace window: rows in batches, the frame reading, copy, save, clear.
#include "app/trace/tracemodel.h"
#include "app/trace/tracewindow.h"
#include "link/traceformat.h"
#include "link/tracerecorder.h"
#include "support/filebytes.h"
#include "support/passwordframes.h"
#include "widgets/filedialogs.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {


QByteArray frame(int command, const QByteArray &data)
{
    QByteArray f = QByteArray::fromHex("AA0111123456");
    f += char(1);
    f += char(command);
    f += char(data.size());
    f += data;
    quint8 sum = 0, x = 0;
    for (char c : f) {
        sum += quint8(c);
        x ^= quint8(c);
    }
    f += char(sum);
    f += char(x);
    f += char(0x0D);
    return f;
}

struct Rig {
    qint64 now = 1'765'270'800'000;
    TraceRecorder recorder{[this] { return now; }, 50};
    TraceWindow window{recorder,
                       {[] { return QStringLiteral("vilaron-setup"); }, [] { return QStringLiteral("COM1"); },
                        [] { return QStringLiteral("123456"); }}};
    QAbstractItemModelTester tester{&window.model(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    QTableView *table() { return window.findChild<QTableView *>(QStringLiteral("tvTrace")); }
    QCheckBox *secrets() { return window.findChild<QCheckBox *>(QStringLiteral("chkTraceSecrets")); }
    QString pane() { return window.findChild<QPlainTextEdit *>(QStringLiteral("txtTraceFrame"))->toPlainText(); }
    // Saves through the save button into `path` and gives the file's text.
    QString save(const QString &path)
    {
        FileDialogs::answerNext(path);
        window.findChild<QPushButton *>(QStringLiteral("btnTraceSave"))->click();
        return QString::fromUtf8(readFile(path));
    }
    void add(TraceKind kind, const QByteArray &bytes)
    {
        now += 3;
        recorder.record(kind, bytes);
    }
};

TEST(TraceWindow, HasItsNamedControlsAndTitle)
{
    Rig rig;
    EXPECT_EQ(rig.window.objectName(), QStringLiteral("frmTrace"));
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("Праћење везе"));
    for (const char *name : {"btnTraceSave", "btnTraceClear"})
        EXPECT_NE(rig.window.findChild<QPushButton *>(name), nullptr) << name;
    ASSERT_NE(rig.table(), nullptr);
    EXPECT_NE(rig.window.findChild<QPlainTextEdit *>(QStringLiteral("txtTraceFrame")), nullptr);
    auto *follow = rig.window.findChild<QCheckBox *>(QStringLiteral("chkTraceFollow"));
    ASSERT_NE(follow, nullptr);
    EXPECT_TRUE(follow->isChecked());
    for (int c = 0; c < TraceFormat::ColumnCount; ++c)
        EXPECT_EQ(rig.window.model().headerData(c, Qt::Horizontal).toString(), TraceFormat::columnTitles()[c]);
}

TEST(TraceWindow, RowsArriveInOneBatchAndTheOldestLeaveFromTheTop)
{
    Rig rig;
    QSignalSpy inserted(&rig.window.model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 30; ++i)
        rig.add(TraceKind::RequestWritten, frame(107, QByteArray(1, char(i % 9))));
    EXPECT_EQ(rig.window.model().rowCount(), 0); // not yet: the batch is pending
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.window.model().rowCount() == 30; }, 2000));
    EXPECT_EQ(inserted.count(), 1);

    // Past the capacity of 50: the first rows go, the newest is last.
    for (int i = 0; i < 40; ++i)
        rig.add(TraceKind::ReplyAccepted, frame(108, QByteArray(1, char(i))));
    rig.window.model().sync();
    EXPECT_EQ(rig.window.model().rowCount(), 50);
    const QModelIndex last = rig.window.model().index(49, TraceFormat::Bytes);
    EXPECT_EQ(last.data().toString(), TraceFormat::hex(frame(108, QByteArray(1, char(39)))));
    EXPECT_EQ(rig.window.findChild<QLabel *>(QStringLiteral("lblTraceDropped"))->text(),
              QStringLiteral("Најстаријих догађаја изостављено: 20"));
}

TEST(TraceWindow, SelectingARowReadsItsFrameAndCtrlCCopiesTheSelectedRows)
{
    Rig rig;
    rig.add(TraceKind::RequestWritten, frame(107, QByteArray(1, char(4))));
    rig.add(TraceKind::ReplyAccepted, frame(107, QByteArray::fromHex("040000")));
    rig.add(TraceKind::Stray, "OK\r");
    rig.window.model().sync();
    rig.window.show();
    QTableView *table = rig.table();
    table->setCurrentIndex(rig.window.model().index(0, 0));
    auto *text = rig.window.findChild<QPlainTextEdit *>(QStringLiteral("txtTraceFrame"));
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Команда: 107 читање пореске стопе")));
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("CRC1:")));
    table->selectionModel()->select(rig.window.model().index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keySequence(table, QKeySequence::Copy);
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(copied.size(), 3);
    EXPECT_EQ(copied[0], TraceFormat::line(rig.recorder.at(0)));
    EXPECT_EQ(copied[1], TraceFormat::line(rig.recorder.at(2)));
}

TEST(TraceWindow, SavesTheWholeTraceAndClears)
{
    Rig rig;
    rig.add(TraceKind::PortOpened, QByteArray());
    rig.add(TraceKind::RequestWritten, frame(107, QByteArray(1, char(0))));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    FileDialogs::answerNext(path);
    QSignalSpy status(&rig.window, &TraceWindow::status);
    rig.window.findChild<QPushButton *>(QStringLiteral("btnTraceSave"))->click();
    EXPECT_TRUE(FileDialogs::lastDefaultName().startsWith(QStringLiteral("trace_123456_")));
    EXPECT_TRUE(FileDialogs::lastDefaultName().endsWith(QStringLiteral(".txt")));
    EXPECT_EQ(FileDialogs::lastDefaultName().size(), QStringLiteral("trace_123456_20261209-101010.txt").size());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("vilaron-setup\tпорт COM1\tсеријски број 123456\tпочетак ")));
    EXPECT_EQ(lines[1], TraceFormat::line(rig.recorder.at(0)));
    EXPECT_EQ(lines[2], TraceFormat::line(rig.recorder.at(1)));
    ASSERT_EQ(status.count(), 1);

    rig.window.model().sync();
    rig.window.findChild<QPushButton *>(QStringLiteral("btnTraceClear"))->click();
    EXPECT_EQ(rig.recorder.size(), 0);
    EXPECT_EQ(rig.window.model().rowCount(), 0);
}

// The passwords of a frame read "••" in the table and the frame reading until
// "Прикажи лозинке" is ticked; a saved file hides them whatever the box says
// and is readable by its owner only, also when it replaces an older file.
class TraceWindowPasswords : public ::testing::TestWithParam<PasswordFrame> {};

TEST_P(TraceWindowPasswords, AreHiddenUntilAskedAndNeverSaved)
{
    const PasswordFrame &f = GetParam();
    Rig rig;
    rig.add(TraceKind::ReplyAccepted, f.frame());
    rig.window.model().sync();
    rig.window.show();
    ASSERT_NE(rig.secrets(), nullptr);
    EXPECT_EQ(rig.secrets()->text(), QStringLiteral("Прикажи лозинке"));
    EXPECT_FALSE(rig.secrets()->isChecked());
    const QModelIndex bytes = rig.window.model().index(0, TraceFormat::Bytes);
    rig.table()->setCurrentIndex(bytes);
    EXPECT_EQ(bytes.data().toString(), f.hiddenHex());
    EXPECT_FALSE(rig.pane().contains(QLatin1String(f.passwordHex))) << rig.pane().toStdString();
    EXPECT_TRUE(rig.pane().contains(QStringLiteral("CRC1: •• исправан"))) << rig.pane().toStdString();

    QSignalSpy changed(&rig.window.model(), &QAbstractItemModel::dataChanged);
    rig.secrets()->click();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(bytes.data().toString(), TraceFormat::hex(f.frame()));
    EXPECT_TRUE(rig.pane().contains(QLatin1String(f.passwordHex))) << rig.pane().toStdString();
    EXPECT_TRUE(rig.window.selectedText().contains(f.hiddenHex())) << rig.window.selectedText().toStdString();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    writeFile(path, "older trace");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::ReadOther));
    const QString saved = rig.save(path);
    EXPECT_TRUE(saved.contains(f.hiddenHex())) << saved.toStdString();
    EXPECT_FALSE(saved.contains(QLatin1String(f.passwordHex))) << saved.toStdString();
    EXPECT_TRUE(isOwnerOnly(path));

    rig.secrets()->click();
    EXPECT_EQ(bytes.data().toString(), f.hiddenHex());
    EXPECT_FALSE(rig.pane().contains(QLatin1String(f.passwordHex)));
}

INSTANTIATE_TEST_SUITE_P(Frames, TraceWindowPasswords, ::testing::ValuesIn(passwordFrames()),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
