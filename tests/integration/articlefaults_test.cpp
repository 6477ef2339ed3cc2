// A full article read and write against the simulated register under each of
// its faults: the outcome, the message and every row are checked.
#include "integration/faultrig.h"
#include "protocol/commands.h"
#include "link/serialline.h"
#include "params/articles/articletablemodel.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace FaultRig;

namespace {

struct FaultCase {
    const char *name;
    PtyRegister::Faults faults;
    int from = 0;            // the faults are on for requests of these record
    int to = 4000;           //   indexes (both transfers)
};

PtyRegister::Faults make(void (*set)(PtyRegister::Faults &))
{
    PtyRegister::Faults f;
    set(f);
    return f;
}

// Record indexes in the order the register acted on them, repeats folded.
QList<int> withoutRepeats(const QList<RegisterResponder::Handled> &log, int code)
{
    QList<int> order;
    for (const auto &h : log)
        if (h.code == code && (order.isEmpty() || order.last() != h.index))
            order.append(h.index);
    return order;
}

QList<int> upTo(int count)
{
    QList<int> l;
    for (int i = 0; i < count; ++i)
        l.append(i);
    return l;
}

class Faulty : public ::testing::TestWithParam<FaultCase> {
protected:
    Program p;

    void SetUp() override
    {
        ASSERT_TRUE(p.reg.isOpen()) << p.reg.errorString().toStdString();
        const FaultCase c = GetParam();
        // The faults switch on and off as the register reaches the records.
        QObject::connect(&p.reg, &PtyRegister::requestHandled, [this, c](int code, int index) {
            if (code != Command::ReadArticle && code != Command::WriteArticle)
                return;
            p.reg.setFaults(index >= c.from && index < c.to ? c.faults : PtyRegister::Faults());
        });
        p.start();
        ASSERT_EQ(p.button("btnCOM")->text(), QStringLiteral("Затвори порт"));
    }
};

TEST_P(Faulty, FullReadAndWriteComeThroughWhole)
{
    p.button("btnARead")->click();
    ASSERT_TRUE(p.waitForEnd(ReadDone)) << p.status().toStdString();
    EXPECT_EQ(p.status(), ReadDone);
    EXPECT_TRUE(p.dialog->history().isEmpty()) << p.dialog->history().value(0).second.toStdString();
    const RegisterState original = p.reg.state();
    for (int n = 0; n < 4000; ++n)
        ASSERT_EQ(p.cells(n), expectedCells(original.articles[std::size_t(n)], n)) << "row " << n + 1;
    EXPECT_EQ(withoutRepeats(p.reg.log(), Command::ReadArticle), upTo(4000));

    QAbstractItemModel *m = p.articles();
    for (int n = 0; n < 4000; ++n) {
        m->setData(m->index(n, ArticleTableModel::Name), QStringLiteral("Ново %1").arg(n));
        m->setData(m->index(n, ArticleTableModel::Price), QStringLiteral("%1,25").arg(n));
    }
    p.reg.clearLog();
    p.button("btnAWrite")->click();
    ASSERT_TRUE(p.waitForEnd(WriteDone)) << p.status().toStdString();
    EXPECT_EQ(p.status(), WriteDone);
    EXPECT_TRUE(p.dialog->history().isEmpty()) << p.dialog->history().value(0).second.toStdString();
    EXPECT_EQ(withoutRepeats(p.reg.log(), Command::WriteArticle), upTo(4000));
    for (int n = 1; n < 4000; ++n) {
        const RegisterArticle &a = p.reg.state().articles[std::size_t(n)];
        ASSERT_EQ(a.price, quint32(n * 100 + 25)) << "article " << n;
        ASSERT_EQ(a.name, RegisterState::articleNameField(QStringLiteral("Ново %1").arg(n))) << "article " << n;
        ASSERT_EQ(a.barcode, original.articles[std::size_t(n)].barcode) << "article " << n;
    }

    // Late replies still on the line start nothing.
    ASSERT_TRUE(waitUntil([&] { return !p.reg.outputPending(); }, Patience));
    const int requests = p.reg.requestCount();
    waitUntil([] { return false; }, RetryMs * 3);
    EXPECT_EQ(p.reg.requestCount(), requests);
    EXPECT_TRUE(p.buttonsBack());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Faulty,
    ::testing::Values(
        FaultCase{"DroppedReplies", make([](PtyRegister::Faults &f) { f.dropEvery = 397; })},
        FaultCase{"DelayShorterThanTheRetry", make([](PtyRegister::Faults &f) { f.delayMs = RetryMs / 3; }), 1000, 1030},
        FaultCase{"DelayLongerThanTheRetry", make([](PtyRegister::Faults &f) { f.delayMs = RetryMs * 5 / 3; }), 1000, 1012},
        FaultCase{"SplitReplies", make([](PtyRegister::Faults &f) { f.split = true, f.splitPauseMs = 2; }), 1000, 1100},
        FaultCase{"Noise", make([](PtyRegister::Faults &f) { f.noise = true; })},
        FaultCase{"BadChecksums", make([](PtyRegister::Faults &f) { f.badChecksums = true; })},
        FaultCase{"OneCorruptedByteInAReply", make([](PtyRegister::Faults &f) { f.corruptEvery = 397; })}),
    [](const ::testing::TestParamInfo<FaultCase> &info) { return std::string(info.param.name); });

// Faults that end the transfer: what was done stays right, nothing else moves.
class Broken : public ::testing::Test {
protected:
    Program p;
    QList<QStringList> before;

    void SetUp() override { ASSERT_TRUE(p.reg.isOpen()) << p.reg.errorString().toStdString(); }
    void remember()
    {
        for (int n = 0; n < 4000; ++n)
            before.append(p.cells(n));
    }
    void fallSilentAt(int code, int index)
    {
        QObject::connect(&p.reg, &PtyRegister::requestHandled, [this, code, index](int c, int i) {
            if (c == code && i == index) {
                PtyRegister::Faults silent;
                silent.silent = true;
                p.reg.setFaults(silent);
            }
        });
    }
};

TEST_F(Broken, RegisterFallsSilentDuringTheReadAndTheWrite)
{
    p.start();
    remember();
    fallSilentAt(Command::ReadArticle, 1500);
    p.button("btnARead")->click();
    ASSERT_TRUE(waitUntil([&] { return p.messageShown(NoReplyText) && p.buttonsBack(); }, Patience));
    EXPECT_EQ(p.dialog->history().size(), 1);
    EXPECT_EQ(p.dialog->history().last().first, NoReplyTitle);
    // The status line says where the read stopped: the request for row 1501
    // went unanswered.
    EXPECT_EQ(p.status(), QStringLiteral("Пренос прекинут: каса не одговара, код записа 1501."));
    for (int n = 0; n < 1500; ++n)
        ASSERT_EQ(p.cells(n), expectedCells(p.reg.state().articles[std::size_t(n)], n)) << "row " << n + 1;
    for (int n = 1500; n < 4000; ++n)
        ASSERT_EQ(p.cells(n), before[n]) << "not read, left as it was: row " << n + 1;

    p.reg.setFaults({});
    p.reg.clearLog();
    p.dialog->clearHistory();
    const RegisterState original = p.reg.state();
    QAbstractItemModel *m = p.articles();
    for (int n = 0; n < 1500; ++n)
        m->setData(m->index(n, ArticleTableModel::Price), QStringLiteral("%1,5").arg(n));
    fallSilentAt(Command::WriteArticle, 700);
    p.button("btnAWrite")->click();
    ASSERT_TRUE(waitUntil([&] { return p.messageShown(NoReplyText) && p.buttonsBack(); }, Patience));
    EXPECT_EQ(p.dialog->history().size(), 1);
    EXPECT_EQ(withoutRepeats(p.reg.log(), Command::WriteArticle), upTo(701));
    for (int n = 0; n < 700; ++n)
        ASSERT_EQ(p.reg.state().articles[std::size_t(n)].price, quint32(n * 100 + 50)) << n;
    for (int n = 701; n < 4000; ++n)
        ASSERT_EQ(p.reg.state().articles[std::size_t(n)], original.articles[std::size_t(n)]) << n;
}

TEST_F(Broken, CableUnpluggedDuringTheWrite)
{
    p.start();
    p.button("btnARead")->click();
    ASSERT_TRUE(p.waitForEnd(ReadDone));
    const RegisterState original = p.reg.state();
    QAbstractItemModel *m = p.articles();
    for (int n = 0; n < 4000; ++n)
        m->setData(m->index(n, ArticleTableModel::Price), QStringLiteral("%1,75").arg(n));
    QObject::connect(&p.reg, &PtyRegister::requestHandled, [this](int c, int i) {
        if (c == Command::WriteArticle && i == 2000)
            QTimer::singleShot(0, &p.reg, [this] { p.reg.closeMaster(); });
    });
    p.button("btnAWrite")->click();
    // One message says the device is gone; no "no reply" follows it.
    const auto lost = [&] {
        for (const auto &m : p.dialog->history())
            if (m.second.contains(QStringLiteral("кабл извучен")))
                return true;
        return false;
    };
    ASSERT_TRUE(waitUntil(lost, Patience));
    EXPECT_EQ(p.button("btnCOM")->text(), QStringLiteral("Отвори порт")) << "the port was closed";
    waitUntil([] { return false; }, 5 * RetryMs);
    EXPECT_FALSE(p.messageShown(NoReplyText));
    EXPECT_EQ(p.dialog->history().size(), 1);
    EXPECT_FALSE(p.button("btnARead")->isEnabled());
    EXPECT_NE(p.status(), WriteDone);
    const QList<int> written = withoutRepeats(p.reg.log(), Command::WriteArticle);
    EXPECT_EQ(written, upTo(2001));
    for (int n = 0; n < 2000; ++n)
        ASSERT_EQ(p.reg.state().articles[std::size_t(n)].price, quint32(n * 100 + 75)) << n;
    for (int n = 2001; n < 4000; ++n)
        ASSERT_EQ(p.reg.state().articles[std::size_t(n)], original.articles[std::size_t(n)]) << n;
}

TEST_F(Broken, PortInUseIsRefusedAndNothingMoves)
{
    SerialLine other(SerialSettings::registerPort());
    other.setPortName(p.reg.slavePath());
    QString error;
    ASSERT_TRUE(other.open(&error)) << error.toStdString();
    p.start();
    ASSERT_EQ(p.dialog->history().size(), 1);
    EXPECT_EQ(p.dialog->history()[0].first, NoReplyTitle);
    EXPECT_TRUE(p.dialog->history()[0].second.startsWith(QStringLiteral("Problem u otvaranju porta (win error code: ")));
    EXPECT_TRUE(p.dialog->history()[0].second.contains(QStringLiteral("Узрок: порт користи други програм")));
    EXPECT_EQ(p.button("btnCOM")->text(), QStringLiteral("Отвори порт"));
    EXPECT_FALSE(p.button("btnARead")->isEnabled());
    EXPECT_FALSE(p.button("btnAWrite")->isEnabled());
    EXPECT_EQ(p.reg.requestCount(), 0);
}

TEST_F(Broken, MissingPortIsRefusedAndNothingMoves)
{
    p.start(QStringLiteral("/dev/vilaron-no-such-port"));
    ASSERT_EQ(p.dialog->history().size(), 1);
    EXPECT_EQ(p.dialog->history()[0].first, NoReplyTitle);
    EXPECT_EQ(p.dialog->history()[0].second.section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Problem u otvaranju porta (win error code: 2)"));
    EXPECT_TRUE(p.dialog->history()[0].second.contains(QStringLiteral("Узрок: уређај не постоји")));
    EXPECT_EQ(p.button("btnCOM")->text(), QStringLiteral("Отвори порт"));
    EXPECT_FALSE(p.button("btnARead")->isEnabled());
    EXPECT_EQ(p.reg.requestCount(), 0);
}

} // namespace
