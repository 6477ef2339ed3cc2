#include "protocol/frame.h"
#include "params/groups/groupfamily.h"
#include "params/operators/operatorfamily.h"
#include "support/familyrig.h"

#include <gtest/gtest.h>
#include <memory>

// The groups and the operators on the hand-driven link: one rig for both
// grid families, each case saying what its family sends and shows.
namespace {

const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString Refusal = QStringLiteral("Грешка !!! |Грешка у подацима. Унос отказан!");

QString u(const char *text) { return QString::fromUtf8(text); }
QByteArray padded(const QByteArray &bytes) { return bytes + QByteArray(19 - bytes.size(), '\0'); }
QByteArray unnamed() { return QByteArray(19, char(0xFF)); }

// What a record carries after its name field, and the cells it fills from
// column 2 on.
struct Payload {
    QByteArray fields;
    QStringList cells;
};

// Sixteen operator amounts, amount j having whole part 100 * j + whole0 and
// hundredths j, as sent and as shown (hundredths 0 show none, 10 one digit).
Payload amounts(quint32 whole0, QChar d)
{
    Payload p;
    for (int j = 0; j < 16; ++j) {
        const quint32 whole = 100 * quint32(j) + whole0;
        for (int k = 0; k < 4; ++k)
            p.fields.append(char(whole >> (8 * k) & 0xFF));
        p.fields.append(char(j));
        QString text = QString::number(whole);
        if (j == 10)
            text += d + QStringLiteral("1");
        else if (j != 0)
            text += d + QStringLiteral("%1").arg(j, 2, 10, QLatin1Char('0'));
        p.cells << text;
    }
    return p;
}

Payload operatorPayload(const char *passwordHex, const char *password, quint32 whole0, QChar d)
{
    const Payload a = amounts(whole0, d);
    return {hexBytes(passwordHex) + a.fields, QStringList{QString::fromLatin1(password)} + a.cells};
}

struct Variant {
    const char *name;
    const char *value; // ',' stands for the separator
    const char *frameHex;
};

struct GridCase {
    const char *name;
    GridFamily::Description (*description)();
    TextGrid *(*table)(QChar decimal);
    QString reading, readDone, writeDone;
    const char *firstReadHex, *secondReadHex;
    int (*progress)(int index); // the bar after record `index` is read
    Payload (*answer)(QChar d);
    Payload (*row)(int number, QChar d); // record `number` of a full read
    bool (*unnamed)(int number);         // sent without a name in a full read
    int beyond;                          // a number past the last record
    QList<Variant> variants;             // first record written
    const char *validValue;              // for column 2 of every row
    int readOnlyColumn;
    const char *lastName, *lastValue;
    const char *lastFrameHex;            // the last record with those
    QStringList refused;                 // column 2 texts refused before sending
    const char *unconvertible;           // a column 2 text that throws
    const char *conversionError;
};

const GridCase Groups{
    "groups", &GroupFamily::description, [](QChar d) -> TextGrid * { return new GroupTable(d); },
    u("Читање група у току"), u("Завршено читање група"), u("Завршен упис група"),
    "AA 01 11 00 45 12 01 71 01 00 86 9C 0D", "AA 01 11 00 45 12 03 71 01 01 89 9F 0D",
    [](int) { return 16; },
    [](QChar d) { return Payload{hexBytes("10 27 D2 04 00 00 05"), {"100", "1234" + QString(d) + "05"}}; },
    [](int, QChar d) {
        return Payload{hexBytes("E2 04 0A 00 00 00 07"), {"12" + QString(d) + "5", "10" + QString(d) + "07"}};
    },
    [](int g) { return g % 2 == 1; }, 40,
    {{"ABCD", "100", "AA 01 11 00 45 12 01 72 16 00 41 42 43 44 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                     "10 27 DD BB 0D"},
     {"   ", "12,5", "AA 01 11 00 45 12 01 72 16 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                     "E2 04 6F 91 0D"},
     {"", "12.5", "AA 01 11 00 45 12 01 72 16 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                  "E2 04 6F 91 0D"},
     {"", "12,509", "AA 01 11 00 45 12 01 72 16 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                    "E2 04 6F 91 0D"}},
    "12,5", GroupTable::Turnover, "Група 12", "0,00",
    "AA 01 11 00 45 12 19 72 16 0C 83 B0 B3 AF A0 20 31 32 00 00 00 00 00 00 00 00 00 00 00 00 00 78 30 0D",
    {"101", "", "abc", "-1", "100.5", "1e3"}, "1,2,3", "'%1' is not a valid floating point value"};

const GridCase Operators{
    "operators", &OperatorFamily::description, [](QChar) -> TextGrid * { return new OperatorTable; },
    u("Читање оператера у току"), u("Завршено читање оператера"), u("Завршен упис оператера"),
    "AA 01 11 00 45 12 01 75 01 00 8A 98 0D", "AA 01 11 00 45 12 03 75 01 01 8D 9B 0D",
    [](int k) { return (k + 1) / 2; },
    [](QChar d) { return operatorPayload("07 00 00 00", "7", 0, d); },
    [](int k, QChar d) { return operatorPayload("40 E2 01 00", "123456", quint32(k), d); },
    [](int k) { return k == 3; }, 200,
    {{"", "001234", "AA 01 11 00 45 12 01 76 18 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                    "D2 04 00 00 65 AB 0D"},
     {" \t ", "1234", "AA 01 11 00 45 12 01 76 18 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
                      "D2 04 00 00 65 AB 0D"},
     {"Петар", "999999", "AA 01 11 00 45 12 01 76 18 00 8F A5 B2 A0 B0 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                         "00 3F 42 0F 00 68 78 0D"}},
    "0", OperatorTable::FirstAmount + 5, "ABC", "0",
    "AA 01 11 00 45 12 31 76 18 18 41 42 43 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 B0 EA 0D",
    {"1234567", "12a4", " 1234", "1234 ", "4294967295", "12,5", "1000000"}, "", "'%1' is not a valid integer value"};

using Param = std::tuple<const GridCase *, char>;

// The family of the running test's case, built from its description.
class CaseFamily : public GridFamily {
public:
    explicit CaseFamily(FamilyContext &ctx)
        : GridFamily(ctx, current().table(ctx.regional.decimal), current().description())
    {
    }
    static const GridCase &current() { return *std::get<0>(::testing::TestWithParam<Param>::GetParam()); }
};

struct GridRig : ::testing::TestWithParam<Param>, FamilyRig<CaseFamily> {
    const GridCase &c = CaseFamily::current();
    const QChar d = QLatin1Char(std::get<1>(GetParam()));
    const GridFamily::Description desc = c.description();
    std::unique_ptr<TextGrid> startUp{c.table(d)};
    TextGrid &grid = family.grid();

    GridRig() : FamilyRig<CaseFamily>(std::get<1>(GetParam())) {}
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), d); }
    QByteArray reply(std::uint8_t command, const QByteArray &data) const
    {
        return Frame::build({0x00, 0x45, 0x12}, 0x01, command, data);
    }
    QByteArray readReply(int number, const QByteArray &name19, const QByteArray &fields) const
    {
        return reply(desc.readCommand, QByteArray(1, char(number)) + name19 + fields);
    }
    void acknowledge() { driver.received(reply(desc.writeCommand, QByteArray())); }
    QStringList row(int record) const
    {
        QStringList cells;
        for (int col = 0; col < grid.columns(); ++col)
            cells << grid.recordCell(record, col);
        return cells;
    }
    QStringList startUpRow(int record) const
    {
        QStringList cells;
        for (int col = 0; col < grid.columns(); ++col)
            cells << startUp->recordCell(record, col);
        return cells;
    }
    void fillValues(const QString &text)
    {
        for (int r = 0; r < desc.recordCount; ++r)
            grid.setRecordCell(r, 2, text);
    }
    void expectWriteStopped()
    {
        EXPECT_EQ(statuses, QStringList{Writing});
        EXPECT_FALSE(family.isWriting());
        EXPECT_FALSE(driver.isBusy());
    }
};

TEST_P(GridRig, ReplyForAnEarlierNumberWaitsForTheOneAskedFor)
{
    family.read();
    EXPECT_EQ(readsStarted, 1);
    EXPECT_EQ(port.last(), hexBytes(c.firstReadHex));
    EXPECT_EQ(statuses, QStringList{c.reading});
    // The answer for record 0 fills it and asks for record 1.
    const Payload answer = c.answer(d);
    driver.received(readReply(0, padded("ABCD"), answer.fields));
    const QStringList filled = QStringList{startUp->recordCell(0, 0)} + QStringList{"ABCD"} + answer.cells;
    EXPECT_EQ(row(0), filled);
    EXPECT_EQ(port.last(), hexBytes(c.secondReadHex));
    EXPECT_EQ(progress, QList<int>{c.progress(0)});
    // Record 0 again while record 1 is asked for: a late duplicate, not the
    // answer. Nothing is filled and nothing more is asked.
    driver.received(readReply(0, padded("WXYZ"), answer.fields));
    EXPECT_EQ(row(0), filled);
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_TRUE(timer.active);
    EXPECT_EQ(progress.size(), 1);
}

TEST_P(GridRig, FullReadFillsEveryRowAndEnds)
{
    family.read();
    for (int r = 0; r < desc.recordCount; ++r) {
        ASSERT_EQ(lastRecord(), r);
        ASSERT_EQ(lastCommand(), desc.readCommand);
        const QByteArray name = c.unnamed(r) ? unnamed() : padded("N" + QByteArray::number(r));
        // Data past the record is ignored.
        driver.received(readReply(r, name, c.row(r, d).fields + hexBytes("AB CD EF")));
    }
    EXPECT_EQ(port.writes.size(), desc.recordCount);
    QList<int> expected;
    for (int r = 0; r < desc.recordCount; ++r) {
        const QString name = c.unnamed(r) ? QString() : "N" + QString::number(r);
        const QStringList filled = QStringList{startUp->recordCell(r, 0), name} + c.row(r, d).cells;
        EXPECT_EQ(row(r), filled) << r;
        expected << c.progress(r);
    }
    EXPECT_EQ(statuses, (QStringList{c.reading, c.readDone}));
    expected << 0;
    EXPECT_EQ(progress, expected);
    EXPECT_FALSE(driver.isBusy());
}

// The read follows the number each reply carries: a number past the last
// record fills nothing and ends the read, as the last record does.
TEST_P(GridRig, NumberPastTheLastFillsNothingAndEndsTheRead)
{
    family.read();
    const Payload answer = c.answer(d);
    driver.received(readReply(c.beyond, padded("XYZ"), answer.fields));
    EXPECT_EQ(port.writes.size(), 1);
    for (int r = 0; r < desc.recordCount; ++r)
        EXPECT_EQ(row(r), startUpRow(r)) << r;
    EXPECT_EQ(statuses, (QStringList{c.reading, c.readDone}));
    EXPECT_FALSE(driver.isBusy());
    driver.retryTick();
    EXPECT_EQ(port.writes.size(), 1) << "nothing is asked again";
}

TEST_P(GridRig, ShortReplyFillsNothingButTheReadGoesOn)
{
    family.read();
    const QByteArray whole = QByteArray(1, '\0') + padded("AB") + c.answer(d).fields;
    driver.received(reply(desc.readCommand, whole.left(3)));
    EXPECT_EQ(row(0), startUpRow(0));
    EXPECT_EQ(lastRecord(), 1);
    QByteArray second = whole.left(desc.replyLength - 1);
    second[0] = 1;
    driver.received(reply(desc.readCommand, second));
    EXPECT_EQ(row(1), startUpRow(1));
    EXPECT_EQ(lastRecord(), 2);
    // A reply without data ends the read.
    driver.received(reply(desc.readCommand, QByteArray()));
    EXPECT_EQ(port.writes.size(), 3);
    EXPECT_EQ(statuses.last(), c.readDone);
    EXPECT_FALSE(driver.isBusy());
}

TEST_P(GridRig, FirstRecordVariants)
{
    for (const Variant &v : c.variants) {
        port.writes.clear();
        driver.reset();
        grid.setRecordCell(0, 1, u(v.name));
        grid.setRecordCell(0, 2, s(v.value));
        family.write();
        EXPECT_EQ(port.last().toHex(' ').toUpper(), hexBytes(v.frameHex).toHex(' ').toUpper()) << v.value;
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_P(GridRig, CompleteWriteSendsEveryRecordAndNeverReadsBack)
{
    const int last = desc.recordCount - 1;
    fillValues(s(c.validValue));
    for (int r = 0; r < desc.recordCount; ++r)
        grid.setRecordCell(r, c.readOnlyColumn, QStringLiteral("typed"));
    grid.setRecordCell(last, 1, u(c.lastName));
    grid.setRecordCell(last, 2, s(c.lastValue));
    family.write();
    for (int r = 0; r < desc.recordCount; ++r) {
        ASSERT_EQ(lastCommand(), desc.writeCommand);
        ASSERT_EQ(lastRecord(), r);
        EXPECT_EQ(driver.transferIndex(), r);
        EXPECT_EQ(port.last().size(), hexBytes(c.lastFrameHex).size());
        acknowledge();
    }
    EXPECT_EQ(port.writes.size(), desc.recordCount);
    EXPECT_EQ(port.writes[last], hexBytes(c.lastFrameHex));
    EXPECT_EQ(statuses, (QStringList{Writing, c.writeDone}));
    QList<int> expected(desc.recordCount, 1);
    expected << 0;
    EXPECT_EQ(progress, expected);
    EXPECT_FALSE(family.isWriting());
    EXPECT_FALSE(driver.isBusy());
    // The table keeps the texts as typed.
    for (int r = 0; r < desc.recordCount; ++r) {
        EXPECT_EQ(grid.recordCell(r, 2), s(r == last ? c.lastValue : c.validValue)) << r;
        EXPECT_EQ(grid.recordCell(r, c.readOnlyColumn), QStringLiteral("typed")) << r;
    }
    // A stray acknowledgement continues nothing.
    acknowledge();
    EXPECT_EQ(port.writes.size(), desc.recordCount);
    EXPECT_EQ(statuses.size(), 2);
}

TEST_P(GridRig, RefusedValueAtTheFirstRecordSendsNothing)
{
    for (const QString &value : c.refused) {
        statuses.clear();
        progress.clear();
        messages.clear();
        grid.setRecordCell(0, 2, value);
        family.write();
        EXPECT_TRUE(port.writes.isEmpty()) << value.toStdString();
        EXPECT_EQ(messages, QStringList{Refusal});
        EXPECT_EQ(progress, QList<int>{1});
        expectWriteStopped();
    }
}

TEST_P(GridRig, RefusedLaterValueStopsTheWriteThere)
{
    fillValues(s(c.validValue));
    grid.setRecordCell(5, 2, c.refused.first());
    family.write();
    acknowledgeAll(desc.writeCommand);
    EXPECT_EQ(port.writes.size(), 5);
    EXPECT_EQ(lastRecord(), 4);
    EXPECT_EQ(messages, QStringList{Refusal});
    EXPECT_EQ(progress.last(), 1);
    expectWriteStopped();
    // A late acknowledgement does not resume the write.
    acknowledge();
    EXPECT_EQ(port.writes.size(), 5);
    EXPECT_EQ(messages.size(), 1);
}

TEST_P(GridRig, UnconvertibleValueGoesToTheErrorReport)
{
    fillValues(s(c.validValue));
    const QString bad = s(c.unconvertible);
    grid.setRecordCell(2, 2, bad);
    family.write();
    acknowledgeAll(desc.writeCommand);
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_EQ(errors, QStringList{QString::fromLatin1(c.conversionError).arg(bad)});
    EXPECT_TRUE(messages.isEmpty());
    expectWriteStopped();

    errors.clear();
    grid.setRecordCell(0, 2, bad);
    port.writes.clear();
    family.write();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(errors.size(), 1);
}

TEST_P(GridRig, NoReplyStopsAtTheCurrentRecord)
{
    fillValues(s(c.validValue));
    family.write();
    acknowledge();
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    EXPECT_EQ(port.writes.size(), 5); // record 1 and its three repeats
    EXPECT_EQ(lastRecord(), 1);
    EXPECT_FALSE(driver.isBusy());
    EXPECT_EQ(statuses, QStringList{Writing});
}

std::string caseName(const ::testing::TestParamInfo<Param> &info)
{
    return std::string(std::get<0>(info.param)->name) + (std::get<1>(info.param) == ',' ? "_comma" : "_point");
}

INSTANTIATE_TEST_SUITE_P(Families, GridRig,
                         ::testing::Combine(::testing::Values(&Groups, &Operators), ::testing::Values(',', '.')),
                         caseName);

// ---- cases of one family ------------------------------------------------

class GroupRig : public GridRig {};

TEST_P(GroupRig, StartUpTableWritesNumberNameAndShare)
{
    family.write();
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 00 45 12 01 72 16 00 83 B0 B3 AF A0 20 30 00 00 00 00 00 00 00 00 "
                                    "00 00 00 00 00 00 21 17 0D"));
    EXPECT_EQ(statuses, QStringList{Writing});
    EXPECT_EQ(progress, QList<int>{1});
    EXPECT_TRUE(family.isWriting());
    EXPECT_EQ(readsStarted, 0);
}

INSTANTIATE_TEST_SUITE_P(Groups, GroupRig,
                         ::testing::Combine(::testing::Values(&Groups), ::testing::Values(',', '.')), caseName);

class OperatorRig : public GridRig {};

TEST_P(OperatorRig, TableThatWasNeverReadStopsAtTheFirstOperator)
{
    family.read();
    for (int tick = 0; tick < 4; ++tick)
        driver.retryTick();
    port.writes.clear();
    family.write();
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(errors, QStringList{QStringLiteral("'' is not a valid integer value")});
}

TEST_P(OperatorRig, PasswordReadWithLeadingZerosTravelsWithout)
{
    family.read();
    driver.received(readReply(0, padded("A"), operatorPayload("0A 00 00 00", "10", 0, d).fields));
    EXPECT_EQ(grid.recordCell(0, OperatorTable::Password), QStringLiteral("10"));
    grid.setRecordCell(0, OperatorTable::Password, QStringLiteral("000010"));
    driver.reset();
    port.writes.clear();
    family.write();
    EXPECT_EQ(port.last().mid(29, 4), hexBytes("0A 00 00 00"));
}

INSTANTIATE_TEST_SUITE_P(Operators, OperatorRig,
                         ::testing::Combine(::testing::Values(&Operators), ::testing::Values(',', '.')), caseName);

} // namespace
