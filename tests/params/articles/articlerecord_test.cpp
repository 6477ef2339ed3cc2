#include "core/programerror.h"
#include "params/articles/articlerecord.h"
#include "support/fakelink.h"

#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

class RecordUnderBothSeparators : public ::testing::TestWithParam<QChar> {
protected:
    Regional regional() const { return Regional::withDecimal(GetParam()); }
    // ',' in a literal stands for the regional separator, '~' for the other one.
    QString s(const char *text) const
    {
        const QChar other = GetParam() == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        return u(text).replace(QLatin1Char(','), GetParam()).replace(QLatin1Char('~'), other);
    }
    ArticleRow row(const char *name, const char *barcode, const char *department, const char *price,
                   const char *tax, const char *quantity, const char *group) const
    {
        ArticleRow r;
        r.name = u(name);
        r.barcode = u(barcode);
        r.department = u(department);
        r.price = s(price);
        r.tax = u(tax);
        r.quantity = s(quantity);
        r.group = u(group);
        r.sold = u("never sent");
        r.turnover = u("never sent");
        return r;
    }
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

// A reply frame to 115 around its 65 data bytes (checksums are not read).
QByteArray reply115(const char *dataHex)
{
    const QByteArray data = hexBytes(dataHex);
    return hexBytes("AA 01 11 12 34 56 03 73") + char(data.size()) + data + hexBytes("00 00 0D");
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Regional, RecordUnderBothSeparators, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST(ArticleRequest, ReadCarriesTheIndexLowByteFirst)
{
    EXPECT_EQ(ArticleRecord::readRequest(0), hexBytes("0000"));
    EXPECT_EQ(ArticleRecord::readRequest(258), hexBytes("0201"));
    EXPECT_EQ(ArticleRecord::readRequest(3999), hexBytes("9F0F"));
}

TEST(PackedBarcode, BothWays)
{
    EXPECT_EQ(ArticleRecord::packBarcode(u("8600123456789")), hexBytes("08 60 01 23 45 67 89"));
    EXPECT_EQ(ArticleRecord::packBarcode(u("08600123456789")), hexBytes("08 60 01 23 45 67 89"));
    EXPECT_EQ(ArticleRecord::packBarcode(u("123456789012345678")), hexBytes("12 34 56 78 90 12 34"));
    EXPECT_EQ(ArticleRecord::packBarcode(QString()), hexBytes("00 00 00 00 00 00 00"));
    EXPECT_EQ(ArticleRecord::packBarcode(u("12 ")), hexBytes("00 00 00 00 00 01 20")) << "a blank gives 0";
    EXPECT_EQ(ArticleRecord::barcodeText(hexBytes("08 60 01 23 45 67 89")), u("08600123456789"));
    EXPECT_EQ(ArticleRecord::barcodeText(hexBytes("00 00 00 00 00 00 00")), u("00000000000000"));
    EXPECT_EQ(ArticleRecord::barcodeText(hexBytes("1A 2B 3C 4D 5E 6F 70")), u("12345670"));
    EXPECT_EQ(ArticleRecord::barcodeText(hexBytes("FF FF FF FF FF FF FF")), QString());
}

TEST_P(RecordUnderBothSeparators, WriteRequestBytes)
{
    struct Case {
        int index;
        ArticleRow row;
        const char *data; // the 56 data bytes, frame offsets 9 to 64
    } cases[] = {
        // Index 0: barcode trimmed, the name's closing byte 47 left at 0x00.
        {0, row("Хлеб", " 8600123456789 ", "8", "12,345", "Ђ", "2,5", "2"),
         "0000 95ABA5A1 000000000000000000000000000000000000000000000000000000000000000000"
         "08600123456789 03 27 D2040000 C4090000"},
        // Later rows: barcode as it stands, byte 47 0xFF, negative stock.
        {1, row("Хлеб", "12 ", "1", "7", "К", "-3", "12"),
         "0100 95ABA5A1 0000000000000000000000000000000000000000000000000000000000000000FF"
         "00000000000120 08 C0 BC020000 48F4FFFF"},
        // A name of blanks: 37 bytes 0xFF; empty price and quantity are 0.
        {3999, row("   ", "", "1", "", "J", "", "0"),
         "9F0F FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
         "00000000000000 07 00 00000000 00000000"},
        // At most 36 name bytes; 14 barcode digits; the low 32 bits of the
        // price; thousandths cut toward zero; the first character of the tax.
        {5, row("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", "123456789012345678", "4", "42949672,96", "ЖЖ",
                "0,0019", " 3"),
         "0500 414141414141414141414141414141414141414141414141414141414141414141414141FF"
         "12345678901234 05 33 00000000 01000000"},
        {0, row("\x01 A \x02", "\t5\n", "2", "0,5", "А", "1", "0"),
         "0000 41000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000005 00 01 32000000 E8030000"},
    };
    for (const Case &c : cases) {
        QByteArray data;
        ASSERT_EQ(ArticleRecord::writeRequest(c.index, c.row, regional(), &data), ArticleRecord::Check::Ok)
            << c.index;
        ASSERT_EQ(data.size(), 56);
        EXPECT_EQ(data.toHex(' ').toUpper(), hexBytes(c.data).toHex(' ').toUpper()) << "article index " << c.index;
    }
}

TEST_P(RecordUnderBothSeparators, WriteDataErrors)
{
    struct Case {
        ArticleRow row;
        const char *why;
    } cases[] = {
        {row("A", "1", "9", "1", "А", "1", "0"), "department 9"},
        {row("A", "1", "0", "1", "А", "1", "0"), "department 0"},
        {row("A", "1", "x", "1", "А", "1", "0"), "department no number"},
        {row("A", "1", "1", "1", "А", "1", "13"), "group 13"},
        {row("A", "1", "1", "1", "А", "1", "-1"), "group -1"},
        {row("A", "1", "1", "1", "А", "1", "1,5"), "group not whole"},
        {row("A", "1", "1", "1", "", "1", "0"), "tax cell empty"},
        {row("A", "1", "1", "1", "x", "1", "0"), "tax no label"},
        {row("A", "1", "1", "1", "j", "1", "0"), "small Latin j"},
        {row("A", "1", "1", "-5", "А", "1", "0"), "negative price"},
        {row("A", "1", "1", "-0", "А", "1", "0"), "minus sign in the price"},
        {row("A", "1", "1", "12~5", "А", "1", "0"), "price with the other separator"},
        {row("A", "1", "1", "1", "А", "2~5", "0"), "quantity with the other separator"},
        {row("A", "1", "1", "abc", "А", "1", "0"), "price no number"},
        {row("A", "1", "1", "1", "А", "1e3", "0"), "quantity in exponent form"},
    };
    for (const Case &c : cases) {
        QByteArray data = "left over";
        EXPECT_EQ(ArticleRecord::writeRequest(7, c.row, regional(), &data), ArticleRecord::Check::DataError)
            << c.why;
        EXPECT_TRUE(data.isEmpty()) << c.why;
    }
}

TEST_P(RecordUnderBothSeparators, WriteConversionErrors)
{
    for (auto [price, quantity, offending] :
         {std::tuple{"1,x", "1", "1,x"}, std::tuple{"1", ",", ","}, std::tuple{"1,2,3", "1", "1,2,3"}}) {
        QByteArray data;
        try {
            ArticleRecord::writeRequest(2, row("A", "1", "1", price, "А", quantity, "0"), regional(), &data);
            ADD_FAILURE() << price << " " << quantity;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(s(offending)));
        }
    }
}

TEST_P(RecordUnderBothSeparators, ReadReplyDecoding)
{
    struct Case {
        const char *data;
        ArticleRow row;
        const char *sold;
        const char *turnover;
    } cases[] = {
        {"0000 95ABA5A1 0000000000000000000000000000000000000000000000000000000000000000 00"
         "08600123456789 13 27 01020000 FFFFFFFF E8030000 1027000032",
         row("Хлеб", "08600123456789", "8", "5,13", "Ђ", "-0,001", "2"), "1", "10000,5"},
        {"0100 000000000000000000000000000000000000000000000000000000000000000000000000 FF"
         "FFFFFFFFFFFFFF 0C F0 FFFFFFFF 00000080 FFFFFFFF 0000000096",
         row("", "", "1", "42949672,95", "А", "-2147483,648", "15"), "4294967,295", "1,5"},
        {"0200 0141421F0000000000000000000000000000000000000000000000000000000000000000 00"
         "1A2B3C4D5E6F70 07 0F 00000000 C4090000 00000000 0000000000",
         row("AB", "12345670", "16", "0", "J", "2,5", "0"), "0", "0"},
        {"0300 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF FF"
         "00000000000000 00 00 00000000 00000000 00000000 0000000000",
         row("", "00000000000000", "1", "0", "А", "0", "0"), "0", "0"},
    };
    for (const Case &c : cases) {
        const ArticleRow got = ArticleRecord::readReply(reply115(c.data), regional());
        ArticleRow want = c.row;
        want.sold = s(c.sold);
        want.turnover = s(c.turnover);
        EXPECT_EQ(got, want) << c.data << "\n"
                             << QStringList{got.name, got.barcode, got.department, got.price, got.tax,
                                            got.quantity, got.group, got.sold, got.turnover}
                                    .join(QLatin1Char('|'))
                                    .toStdString();
    }
}
