// The value rules, one table per kind of value.
#include "import/importrig.h"

namespace {

struct ValueCase {
    const char *field;
    const char *text;
    bool number;
    const char *stored; // nullptr: refused
};

class Value : public ::testing::TestWithParam<ValueCase> {};

ValueCheck checked(const ValueCase &c)
{
    const SheetCell cell{QString::fromUtf8(c.text), c.number};
    const QByteArray f(c.field);
    if (f == "price")
        return ImportValues::price(cell, 99'999'999'999ll, Regional::comma());
    if (f == "tax")
        return ImportValues::tax(cell, fixtureRates());
    if (f == "barcode")
        return ImportValues::barcode(cell);
    if (f == "quantity")
        return ImportValues::quantity(cell, Regional::comma());
    return ImportValues::whole(cell, 1, 8);
}

TEST_P(Value, IsStoredOrRefused)
{
    const ValueCase c = GetParam();
    const ValueCheck v = checked(c);
    if (c.stored) {
        EXPECT_FALSE(v.refused()) << c.field << " " << c.text << ": " << v.refusal.toStdString();
        EXPECT_EQ(v.value, QString::fromUtf8(c.stored)) << c.field << " " << c.text;
    } else {
        EXPECT_TRUE(v.refused()) << c.field << " " << c.text << " gave " << v.value.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Value,
    ::testing::Values(ValueCase{"price", "1.234,50 дин", false, "1234,5"}, ValueCase{"price", "1,234.50", false, "1234,5"},
                      ValueCase{"price", "RSD 12", false, "12"}, ValueCase{"price", "1 299,9 din.", false, "1299,9"},
                      ValueCase{"price", "0.125", false, nullptr}, ValueCase{"price", "1.234", false, "1234"},
                      ValueCase{"price", "99.9", true, "99,9"}, ValueCase{"price", "8.2", true, "8,2"},
                      ValueCase{"price", "-1", false, nullptr}, ValueCase{"price", "12a", false, nullptr},
                      ValueCase{"price", "999999999", false, "999999999"}, ValueCase{"price", "1000000000", false, nullptr},
                      ValueCase{"price", "1000000000.01", true, nullptr},
                      ValueCase{"tax", "Ђ", false, "Ђ"}, ValueCase{"tax", "ж", false, "Ж"},
                      ValueCase{"tax", "K", false, "К"}, ValueCase{"tax", "ј", false, "J"},
                      ValueCase{"tax", "7", true, "J"}, ValueCase{"tax", "20%", false, "Ђ"},
                      ValueCase{"tax", "20", false, "Ђ"}, ValueCase{"tax", "10,00 %", false, "Е"},
                      ValueCase{"tax", "15%", false, nullptr}, ValueCase{"tax", "9", false, nullptr},
                      ValueCase{"tax", "Z", false, nullptr},
                      ValueCase{"barcode", "0860012345675", false, "0860012345675"},
                      ValueCase{"barcode", "8600123456789", true, "8600123456789"},
                      ValueCase{"barcode", "8.600123456789E+12", true, "8600123456789"},
                      ValueCase{"barcode", "860 0123 45678 9", false, "8600123456789"},
                      ValueCase{"barcode", "123456789012345", false, nullptr},
                      ValueCase{"barcode", "12AB", false, nullptr}, ValueCase{"barcode", "12.5", true, nullptr},
                      ValueCase{"quantity", "-2,75", false, "-2,75"}, ValueCase{"quantity", "1.0005", true, nullptr},
                      ValueCase{"department", "8", true, "8"}, ValueCase{"department", "9", true, nullptr},
                      ValueCase{"department", "2.5", true, nullptr}));

TEST(ValueNotes, ANumberCellOneDigitShortOfAnEanIsTaken)
{
    const ValueCheck v = ImportValues::barcode({QStringLiteral("860012345678"), true});
    EXPECT_EQ(v.value, QStringLiteral("860012345678"));
    EXPECT_FALSE(v.note.isEmpty());
    EXPECT_TRUE(ImportValues::barcode({QStringLiteral("860012345678"), false}).note.isEmpty());
}

TEST(ValueNotes, ANameIsCutAndARateNeedsTheTaxTable)
{
    const ValueCheck name = ImportValues::name({QString(40, QChar(u'ш')), false}, 36);
    EXPECT_EQ(name.value, QString(36, QChar(u'ш')));
    EXPECT_FALSE(name.note.isEmpty());
    EXPECT_TRUE(ImportValues::name({QStringLiteral("日本"), false}, 36).refused());
    EXPECT_TRUE(ImportValues::tax({QStringLiteral("20%"), false}, ImportTaxRates()).refused());
}

} // namespace
