#include "protocol/commands.h"
#include "core/programerror.h"
#include "params/departments/departmentfamily.h"
#include "support/familylink.h"
#include "support/replychecksums.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

class UnderBothSeparators : public ::testing::TestWithParam<QChar> {
protected:
    Regional regional() const { return Regional::withDecimal(GetParam()); }
    // ',' in a literal stands for the regional separator under test.
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

// A reply frame to 111 around the 30 data bytes.
QByteArray reply111(const char *dataHex)
{
    const QByteArray data = hexBytes(dataHex);
    return withRightChecksums(hexBytes("AA 01 11 12 34 56 03 6F") + char(data.size()) + data + hexBytes("00 00 0D"));
}

const QByteArray Reply112 = withRightChecksums(hexBytes("AA 01 11 12 34 56 03 70 00 00 00 0D"));

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, UnderBothSeparators, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(UnderBothSeparators, TableStartsWithItsDefaults)
{
    DepartmentTableModel model(regional());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model.rowCount(), 8);
    ASSERT_EQ(model.columnCount(), 6);
    const char *headers[] = {"Број", "Назив", "Цена", "Група", "Порез", "Промет"};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), u(headers[c]));
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(model.cell(r, 0), QString::number(r + 1));
        EXPECT_EQ(model.cell(r, 1), u("Одељење ") + QString::number(r + 1));
        EXPECT_EQ(model.cell(r, 2), s("0,00"));
        EXPECT_EQ(model.cell(r, 3), u("0"));
        EXPECT_EQ(model.cell(r, 4), u("А"));
        EXPECT_EQ(model.cell(r, 5), s("0,00"));
        for (int c = 0; c < 6; ++c)
            EXPECT_FALSE(model.flags(model.index(r, c)) & Qt::ItemIsEditable);
    }
    model.setCell(3, DepartmentTableModel::Name, u("x"));
    model.resetToDefaults();
    EXPECT_EQ(model.cell(3, 1), u("Одељење 4"));
}

TEST_P(UnderBothSeparators, WriteRequestBytes)
{
    struct Case {
        int index;
        const char *name;
        const char *group;
        const char *tax;
        const char *price;
        const char *data; // the 25 data bytes, frame offsets 9 to 33
    } cases[] = {
        // Department 1 goes trimmed, kodiraj maps the Cyrillic letters.
        {0, "  Пиће  ", "3", "Ђ", "12,345",
         "00 8FA8BCA5 0000000000000000000000000000 FF 33 D2040000"},
        // The others go as they stand.
        {1, "  Пиће  ", "0", "А", "0",
         "01 20208FA8BCA52020 00000000000000000000 FF 00 00000000"},
        // 20 characters: the first 18 bytes; a price that does not convert is 0.
        {2, "ABCDEFGHIJKLMNOPQRST", "12", "К", "abc",
         "02 4142434445464748494A4B4C4D4E4F505152 FF C8 00000000"},
        {3, "ABCDEFGHIJKLMNOPQR", "1", "Г", "0,01",
         "03 4142434445464748494A4B4C4D4E4F505152 FF 11 01000000"},
        // Blanks only: eighteen 0xFF and the end mark 0x00. Group 13 keeps
        // its four bits, a tax cell that is no label goes as 0, a negative
        // price as its two's complement.
        {4, "    ", "13", "x", "-5",
         "04 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 00 D0 0CFEFFFF"},
        // Only the low 4 bits of the group; the first character of the tax cell.
        {5, "\t", "16", "ЖЖ", "42949672,95",
         "05 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 00 05 FFFFFFFF"},
        {6, "Одељење 7", "2", "J", "42949672,96",
         "06 8EA4A5BFA5BEA52037 000000000000000000 FF 27 00000000"},
        {7, "A", "0", "", "12.345", "07 41 0000000000000000000000000000000000 FF 00 D2040000"},
    };
    for (const Case &c : cases) {
        DepartmentRow row{u(c.name), s(c.price), u(c.group), u(c.tax), u("0")};
        const QByteArray data = DepartmentRecord::writeRequest(c.index, row, regional());
        EXPECT_EQ(data.toHex(' ').toUpper(), hexBytes(c.data).toHex(' ').toUpper()) << "department " << c.index + 1;
    }
}

TEST_P(UnderBothSeparators, WriteStopsAtAGroupThatIsNoWholeNumber)
{
    for (const char *group : {"x", "1,5", "", "13a"}) {
        DepartmentRow row{u("A"), u("1"), s(group), u("А"), u("0")};
        try {
            DepartmentRecord::writeRequest(0, row, regional());
            ADD_FAILURE() << group;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid integer value").arg(s(group)));
        }
    }
}

TEST_P(UnderBothSeparators, ReadReplyDecoding)
{
    struct Case {
        const char *data; // frame offsets 9 to 38
        int index;
        const char *name;
        const char *group;
        const char *tax;
        const char *price;
        const char *turnover;
    } cases[] = {
        {"00 8FA8BCA5 0000000000000000000000000000 00 C9 01020000 1027000032", 0, "Пиће", "12", "А", "5,13",
         "10000,5"},
        {"07 000000000000000000000000000000000000 00 D3 00000000 0000000000", 7, "", "13", "Ђ", "0", "0"},
        {"03 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 00 F8 FFFFFFFF FFFFFFFF63", 3, "", "15", "К", "42949672,95",
         "4294967295,99"},
        {"02 01024142431F000000000000000000000000 FF 27 E8030000 0000000096", 2, "ABC", "2", "J", "10", "1,5"},
        {"05 8EA4A5BFA5BEA52036 000000000000000000 00 0C 32000000 0500000000", 5, "Одељење 6", "0", "А", "0,5",
         "5"},
    };
    for (const Case &c : cases) {
        DepartmentRow row;
        EXPECT_EQ(DepartmentRecord::readReply(reply111(c.data), regional(), &row), c.index);
        EXPECT_EQ(row.name, u(c.name)) << c.data;
        EXPECT_EQ(row.group, u(c.group)) << c.data;
        EXPECT_EQ(row.tax, u(c.tax)) << c.data;
        EXPECT_EQ(row.price, s(c.price)) << c.data;
        EXPECT_EQ(row.turnover, s(c.turnover)) << c.data;
    }
}

TEST_P(UnderBothSeparators, CorrectionRules)
{
    struct Case {
        const char *price;
        bool accepted;
        const char *stored;
    } cases[] = {
        {"12.50", true, "12,5"}, {"007", true, "7"},       {",5", true, "0,5"},   {"999999999", true, "999999999"},
        {"0,005", false, ""},    {"1000000000", false, ""}, {"-1", false, ""},    {"-0", false, ""},
        {"", false, ""},         {"abc", false, ""},        {"1,999", false, ""}, {"0,99", true, "0,99"},
    };
    for (const Case &c : cases) {
        DepartmentRow row = DepartmentTableModel::defaultRow(2, regional());
        row.turnover = u("77");
        const DepartmentRow before = row;
        const DepartmentEdits edits{u("  Ново  "), s(c.price), u("12"), u("К")};
        const auto outcome = DepartmentEditing::correct(edits, regional(), &row);
        EXPECT_EQ(outcome == DepartmentEditing::Outcome::Accepted, c.accepted) << c.price;
        if (c.accepted) {
            EXPECT_EQ(row.price, s(c.stored)) << c.price;
            EXPECT_EQ(row.name, u("  Ново  ")) << "the name goes unchanged";
            EXPECT_EQ(row.group, u("12"));
            EXPECT_EQ(row.tax, u("К"));
            EXPECT_EQ(row.turnover, u("77"));
        } else {
            EXPECT_EQ(row, before) << c.price;
        }
    }
    DepartmentRow row;
    EXPECT_THROW(DepartmentEditing::correct({u("a"), s("1,x"), u("0"), u("А")}, regional(), &row), ConversionError);
}

TEST(DepartmentSelection, ListsFollowTheRow)
{
    struct Case {
        const char *group;
        const char *tax;
        int groupPosition;
        int taxPosition;
    } cases[] = {{"0", "А", 0, 0},   {"12", "К", 12, 8},  {"13", "Ђ", -1, 3},
                 {"15", "ЖЖ", -1, 2}, {" 4", "x", 4, 2}, {"-1", "", -1, 2}};
    for (const Case &c : cases) {
        DepartmentRow row{u("Н"), u("1,5"), u(c.group), u(c.tax), u("0")};
        DepartmentEditFill fill;
        DepartmentEditing::selectionFill(row, &fill);
        EXPECT_EQ(fill.name, u("Н"));
        EXPECT_EQ(fill.price, u("1,5"));
        EXPECT_EQ(fill.group.value_or(-99), c.groupPosition) << c.group;
        EXPECT_EQ(fill.tax.value_or(-99), c.taxPosition) << c.tax;
    }
    DepartmentRow bad{u("Н"), u("2"), u(""), u("А"), u("0")};
    DepartmentEditFill fill;
    EXPECT_THROW(DepartmentEditing::selectionFill(bad, &fill), ConversionError);
    EXPECT_EQ(fill.price, u("2"));
    EXPECT_FALSE(fill.group.has_value());
    EXPECT_FALSE(fill.tax.has_value());
}

// The transfers on a driver with a fake port.
class DepartmentTransfer : public ::testing::Test, protected FamilyLink {
protected:
    DepartmentFamily family{ctx};
    QSignalSpy statuses{&family, &ParameterFamily::status};
    QSignalSpy progress{&family, &ParameterFamily::progress};
    QSignalSpy errors{&family, &ParameterFamily::programError};

    void SetUp() override { driver.setSerialNumberSource([] { return QStringLiteral("123456"); }); }
    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last().at(0).toString(); }
};

TEST_F(DepartmentTransfer, ReadFollowsTheIndexEachReplyCarries)
{
    QSignalSpy started(&family, &DepartmentFamily::readStarted);
    family.btnSTReadClick();
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(lastStatus(), u("Каса чита. Молимо, сачекаjте..."));
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 12 34 56 01 6F 01 00 C9 A5 0D"));

    driver.received(reply111("00 8FA8BCA5 0000000000000000000000000000 00 31 D2040000 0100000001"));
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 12 34 56 03 6F 01 01 CC A6 0D"));
    EXPECT_EQ(family.model().cell(0, 1), u("Пиће"));
    EXPECT_EQ(family.model().cell(0, 2), u("12,34"));
    EXPECT_EQ(family.model().cell(0, 3), u("3"));
    EXPECT_EQ(family.model().cell(0, 4), u("Г"));
    EXPECT_EQ(family.model().cell(0, 5), u("1,01"));

    // Index 1 was asked for; the register answers index 5: the read follows
    // the index the reply carries, fills department 6 and asks for index 6.
    driver.received(reply111("05 41000000000000000000000000000000000000 00 00000000 0000000000"));
    EXPECT_EQ(family.model().cell(5, 1), u("A"));
    EXPECT_EQ(family.model().cell(1, 1), u("Одељење 2"));
    ASSERT_EQ(port.writes.size(), 3);
    EXPECT_EQ(static_cast<std::uint8_t>(port.last().at(9)), 6);
    // The answer for index 1 now comes too late: nothing is filled or asked.
    driver.received(reply111("01 41000000000000000000000000000000000000 00 00000000 0000000000"));
    EXPECT_EQ(family.model().cell(1, 1), u("Одељење 2"));
    EXPECT_EQ(port.writes.size(), 3);
    EXPECT_TRUE(driver.replyAwaited());
    EXPECT_NE(lastStatus(), u("Завршено читање подгрупа"));

    driver.received(reply111("06 43000000000000000000000000000000000000 00 00000000 0000000000"));
    driver.received(reply111("07 42000000000000000000000000000000000000 00 00000000 0000000000"));
    EXPECT_EQ(port.writes.size(), 4);
    EXPECT_EQ(lastStatus(), u("Завршено читање подгрупа"));
    EXPECT_EQ(progress.last().at(0).toInt(), 0);
    EXPECT_EQ(family.model().cell(6, 1), u("C"));
    EXPECT_EQ(family.model().cell(7, 1), u("B"));
    EXPECT_EQ(errors.count(), 0);
}

TEST_F(DepartmentTransfer, WriteSendsAllEightRowsThenReports)
{
    family.model().setRow(0, DepartmentRow{u("  Пиће  "), u("12,345"), u("3"), u("Ђ"), u("9")});
    family.btnSTWriteClick();
    EXPECT_EQ(lastStatus(), u("Унос параметара у касу. Молимо, сачекаjте..."));
    EXPECT_EQ(progress.last().at(0).toInt(), 1);
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last(), hexBytes("AA 01 11 12 34 56 01 70 19 00 8F A8 BC A5 00 00 00 00 00 00 00 00 00 00 00 00 "
                                    "00 00 FF 33 D2 04 00 00 82 86 0D"));
    for (int k = 1; k < 8; ++k) {
        driver.received(Reply112);
        ASSERT_EQ(port.writes.size(), k + 1);
        EXPECT_EQ(std::uint8_t(port.last().at(9)), k);
        EXPECT_EQ(port.last().size(), 37);
        EXPECT_NE(lastStatus(), u("Успешно уписана одељења"));
    }
    driver.received(Reply112);
    EXPECT_EQ(port.writes.size(), 8);
    EXPECT_EQ(lastStatus(), u("Успешно уписана одељења"));
    EXPECT_EQ(progress.last().at(0).toInt(), 0);
}

TEST_F(DepartmentTransfer, WriteStopsBeforeADepartmentWithABadGroup)
{
    family.model().setCell(2, DepartmentTableModel::Group, u("1,5"));
    family.btnSTWriteClick();
    driver.received(Reply112);
    driver.received(Reply112);
    EXPECT_EQ(port.writes.size(), 2) << "departments 1 and 2 are sent, 3 is not";
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), u("'1,5' is not a valid integer value"));
    EXPECT_EQ(lastStatus(), u("Унос параметара у касу. Молимо, сачекаjте..."));
    EXPECT_FALSE(driver.isBusy());
    // A stray reply after the stop does not start the write again.
    driver.received(Reply112);
    EXPECT_EQ(port.writes.size(), 2);
}

TEST_F(DepartmentTransfer, WriteStopsAtOnceWhenDepartmentOneIsBad)
{
    family.model().setCell(0, DepartmentTableModel::Group, QString());
    family.btnSTWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), u("'' is not a valid integer value"));
}

TEST_F(DepartmentTransfer, CorrectionAfterGroup13LeavesAnEmptyGroupThatStopsTheWrite)
{
    QSignalSpy fills(&family, &DepartmentFamily::editsFilled);
    family.model().setCell(1, DepartmentTableModel::Group, u("13"));
    family.selectRow(1);
    ASSERT_EQ(fills.count(), 1);
    const auto fill = fills.at(0).at(0).value<DepartmentEditFill>();
    EXPECT_EQ(fill.group.value_or(-99), -1);
    // The group list shows no item, so its text is empty.
    EXPECT_TRUE(family.BtnOCorClick({fill.name, fill.price, QString(), u("А")}));
    EXPECT_EQ(family.model().cell(1, DepartmentTableModel::Group), QString());
    family.btnSTWriteClick();
    driver.received(Reply112);
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_EQ(errors.count(), 1);
}

