// Every family's transfer description through the same cases, against the
// register simulator's responder on a hand-driven link.
#include "protocol/frame.h"
#include "protocol/recordindex.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "sim/registerresponder.h"
#include "sim/registerstate.h"
#include "support/fakelink.h"

#include <QAbstractItemModelTester>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Confirmed {
    int index;
    QByteArray wire;
};

// The link, the driver and the simulated register every case runs on.
struct Rig {
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx{driver, Regional::withDecimal(QLatin1Char(','))};
    RegisterState state = RegisterState::demo();
    RegisterResponder responder{state};
    int answered = 0;

    // Answers every request not yet answered; `edit` may change a reply.
    void pump(int limit = 100000, const std::function<QByteArray(const QByteArray &)> &edit = {})
    {
        while (answered < port.writes.size() && limit-- > 0) {
            QByteArray reply = responder.answer(port.writes.at(answered++));
            if (edit)
                reply = edit(reply);
            driver.received(reply);
        }
    }
};

// The same reply with another data part.
QByteArray withData(const QByteArray &reply, const QByteArray &data)
{
    const auto b = [&](int i) { return std::uint8_t(reply.at(i)); };
    return Frame::build({b(3), b(4), b(5)}, b(6), b(7), data);
}

struct Family {
    ParameterFamily *object = nullptr;
    TransferEngine *engine = nullptr;
    std::function<void()> read;
    std::function<void()> write;
    QAbstractItemModel *model = nullptr;
};

struct FamilyCase {
    const char *name;
    std::function<Family(Rig &)> make;
    // Makes record 1 impossible to send; empty when no record can be refused.
    std::function<void(Family &)> spoilRecordOne;
};

// Test listings name the family, not the bytes of the case.
void PrintTo(const FamilyCase &c, std::ostream *os)
{
    *os << c.name;
}

template <typename F>
Family family(F *f, TransferEngine &engine, void (F::*read)(), void (F::*write)(), QAbstractItemModel *model)
{
    return {f, &engine, [f, read] { (f->*read)(); }, [f, write] { (f->*write)(); }, model};
}

const FamilyCase Cases[] = {
    {"header",
     [](Rig &r) {
         auto *f = new HeaderLineFamily(r.ctx);
         return family(f, f->transfer(), &HeaderLineFamily::btnReadClicheClick, &HeaderLineFamily::btnWriteClicheClick,
                       nullptr);
     },
     {}},
    {"taxes",
     [](Rig &r) {
         auto *f = new TaxRateFamily(r.ctx);
         return family(f, f->transfer(), &TaxRateFamily::btnTGReadClick, &TaxRateFamily::btnTGWriteClick, &f->table());
     },
     [](Family &f) { static_cast<TaxRateFamily *>(f.object)->table().setRate(1, QStringLiteral("101")); }},
    {"departments",
     [](Rig &r) {
         auto *f = new DepartmentFamily(r.ctx);
         return family(f, f->transfer(), &DepartmentFamily::btnSTReadClick, &DepartmentFamily::btnSTWriteClick,
                       &f->model());
     },
     [](Family &f) {
         auto *d = static_cast<DepartmentFamily *>(f.object);
         DepartmentRow row = d->model().row(1);
         row.group = QStringLiteral("x");
         d->model().setRow(1, row);
     }},
    {"articles",
     [](Rig &r) {
         auto *f = new ArticleFamily(r.ctx);
         return family(f, f->transfer(), &ArticleFamily::btnAReadClick, &ArticleFamily::btnAWriteClick,
                       &f->model());
     },
     [](Family &f) {
         auto *a = static_cast<ArticleFamily *>(f.object);
         ArticleRow row = a->model().row(1);
         row.department = QStringLiteral("9");
         a->model().setRow(1, row);
     }},
    {"groups",
     [](Rig &r) {
         auto *f = new GroupFamily(r.ctx);
         return family(f, f->transfer(), &GroupFamily::BtnGReadClick, &GroupFamily::BtnGWriteClick,
                       &f->table());
     },
     [](Family &f) { static_cast<GroupFamily *>(f.object)->table().setRecordCell(1, GroupTable::Share, "101"); }},
    {"operators",
     [](Rig &r) {
         auto *f = new OperatorFamily(r.ctx);
         return family(f, f->transfer(), &OperatorFamily::BtnOReadClick, &OperatorFamily::BtnOWriteClick,
                       &f->table());
     },
     [](Family &f) {
         static_cast<OperatorFamily *>(f.object)->table().setRecordCell(1, OperatorTable::Password, "1234567");
     }},
    {"logo",
     [](Rig &r) {
         auto *f = new LogoFamily(r.ctx);
         return family(f, f->rows(), &LogoFamily::btnLogoReadClick, &LogoFamily::btnLogoWriteClick, nullptr);
     },
     {}},
};

class Transfer : public ::testing::TestWithParam<FamilyCase> {
protected:
    void SetUp() override
    {
        f = GetParam().make(rig);
        owner.reset(f.object);
        if (f.model)
            tester = std::make_unique<QAbstractItemModelTester>(f.model,
                                                                 QAbstractItemModelTester::FailureReportingMode::Fatal);
        QObject::connect(f.engine, &TransferEngine::recordConfirmed,
                         [this](const QString &family, int index, const QByteArray &wire) {
                             EXPECT_EQ(family, f.engine->rules().family);
                             confirmed.append({index, wire});
                         });
        QObject::connect(f.object, &ParameterFamily::status, [this](const QString &s) { statuses << s; });
        QObject::connect(f.object, &ParameterFamily::message,
                         [this](const QString &, const QString &text) { messages << text; });
        QObject::connect(f.object, &ParameterFamily::programError, [this](const QString &e) { messages << e; });
    }
    QSet<int> indexes() const
    {
        QSet<int> s;
        for (const Confirmed &c : confirmed)
            s.insert(c.index);
        return s;
    }
    int count() const { return f.engine->rules().recordCount; }

    Rig rig;
    Family f;
    std::unique_ptr<QObject> owner;
    std::unique_ptr<QAbstractItemModelTester> tester;
    QList<Confirmed> confirmed;
    QStringList statuses;
    QStringList messages;
};

TEST_P(Transfer, ReadAllConfirmsEveryRecordOnce)
{
    f.read();
    rig.pump();
    ASSERT_EQ(confirmed.size(), count());
    for (int i = 0; i < count(); ++i)
        EXPECT_EQ(confirmed.at(i).index, i);
    EXPECT_EQ(statuses.last(), f.engine->rules().readDone);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_P(Transfer, WriteAllSendsBackWhatWasRead)
{
    f.read();
    rig.pump();
    QList<Confirmed> read = confirmed;
    confirmed.clear();
    rig.state = RegisterState::blank();
    f.write();
    rig.pump();
    ASSERT_GE(confirmed.size(), count());
    // The write confirmations carry exactly what the read re-encoded.
    for (int i = 0; i < count(); ++i) {
        EXPECT_EQ(confirmed.at(i).index, i);
        EXPECT_EQ(confirmed.at(i).wire.toHex(), read.at(i).wire.toHex()) << "record " << i;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_P(Transfer, RefusalMidWriteStopsAfterTheGoodRecord)
{
    if (!GetParam().spoilRecordOne)
        GTEST_SKIP() << "every record of this family can be sent";
    f.read();
    rig.pump();
    confirmed.clear();
    GetParam().spoilRecordOne(f);
    QList<int> refused;
    QObject::connect(f.engine, &TransferEngine::recordRefused, [&refused](int index) { refused << index; });
    const int before = rig.port.writes.size();
    f.write();
    rig.pump();
    // The engine names the refused record, for the status line and the cell
    // (a department that does not convert stops the write with an error).
    const bool stopsWithAnError = QLatin1String(GetParam().name) == QLatin1String("departments");
    EXPECT_EQ(refused, stopsWithAnError ? QList<int>{} : QList<int>{1});
    EXPECT_EQ(f.engine->currentRecord(), 1);
    EXPECT_EQ(rig.port.writes.size(), before + 1); // record 0 only
    ASSERT_EQ(confirmed.size(), 1);
    EXPECT_EQ(confirmed.first().index, 0);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(f.engine->isWriting());
}

TEST_P(Transfer, SilenceMidTransferGivesUpWithoutFinishing)
{
    f.read();
    rig.pump(2);
    const int sent = rig.port.writes.size();
    for (int i = 0; i <= ExchangeDriver::MaxRepeats; ++i)
        rig.driver.retryTick();
    EXPECT_FALSE(rig.driver.isBusy());
    EXPECT_NE(statuses.last(), f.engine->rules().readDone);
    EXPECT_EQ(rig.port.writes.size(), sent + ExchangeDriver::MaxRepeats);
    EXPECT_LT(confirmed.size(), count());
}

TEST_P(Transfer, ShortReplyIsNeverConfirmedAsARecord)
{
    f.read();
    const auto cut = [](const QByteArray &reply) {
        const QByteArray data = TransferEngine::dataPart(reply);
        return data.size() > 2 ? withData(reply, data.left(2)) : reply;
    };
    rig.pump(1000, cut);
    for (const Confirmed &c : confirmed)
        EXPECT_GE(c.wire.size(), 3) << "record " << c.index;
}

// The same frame asking for (or answering) another record.
QByteArray renumbered(const QByteArray &frame, int index)
{
    QByteArray data = TransferEngine::dataPart(frame);
    data[0] = char(index);
    return withData(frame, data);
}

// Reads that follow the record each reply carries take a reply for a later
// record than the one asked for and go on after it; the article read, which
// steps through the shared index, takes only the record it asked for. A
// reply for an earlier record is stale for every read.
TEST_P(Transfer, ReplyForALaterRecordIsFollowedOnlyWhereTheReadFollowsReplies)
{
    if (!RecordIndex::find(f.engine->rules().readCommand))
        GTEST_SKIP() << "its replies carry no record number";
    f.read();
    if (f.object->inherits("LogoFamily"))
        rig.pump(1); // the logo's record (103) comes before its rows
    rig.pump(3);
    const QByteArray askedForThree = rig.port.writes.last();
    ASSERT_EQ(RecordIndex::of(askedForThree), 3);
    ASSERT_EQ(confirmed.size(), 3);
    const QByteArray lateTwo = rig.responder.answer(renumbered(askedForThree, 2));
    rig.driver.received(lateTwo);
    EXPECT_EQ(confirmed.size(), 3) << "a late duplicate of record 2 is stale";
    EXPECT_EQ(rig.port.writes.last(), askedForThree);

    rig.driver.received(rig.responder.answer(renumbered(askedForThree, 5)));
    if (f.engine->rules().next == TransferRules::Next::ReplyIndex) {
        ASSERT_EQ(confirmed.size(), 4);
        EXPECT_EQ(confirmed.last().index, 5) << "record 5 is filled";
        EXPECT_EQ(RecordIndex::of(rig.port.writes.last()), 6) << "and record 6 asked for";
        rig.driver.received(rig.responder.answer(askedForThree));
        EXPECT_EQ(confirmed.size(), 4) << "record 3 now comes too late";
        EXPECT_EQ(RecordIndex::of(rig.port.writes.last()), 6);
    } else {
        EXPECT_EQ(confirmed.size(), 3) << "not taken for record 3";
        EXPECT_EQ(rig.port.writes.last(), askedForThree);
    }
    EXPECT_TRUE(rig.driver.replyAwaited());
    rig.answered = int(rig.port.writes.size()) - 1; // the last request is still open
    rig.pump();
    EXPECT_EQ(statuses.last(), f.engine->rules().readDone);
}

INSTANTIATE_TEST_SUITE_P(Families, Transfer, ::testing::ValuesIn(Cases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
