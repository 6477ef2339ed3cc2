#include "core/programerror.h"
#include "terminal/terminalfiles.h"
#include "support/filebytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace TerminalFiles;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }
QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }
std::string hexOf(const QByteArray &bytes) { return bytes.toHex(' ').toStdString(); }

// ---------------------------------------------------------------- barcode

struct BarcodeCase {
    const char *text;
    const char *packed;
};

class TerminalBarcode : public ::testing::TestWithParam<BarcodeCase> {};

TEST_P(TerminalBarcode, PacksFromTheFirstCharacterAndFillsWithF)
{
    EXPECT_EQ(hexOf(packBarcode(u(GetParam().text))), hexOf(hex(GetParam().packed)));
}

INSTANTIATE_TEST_SUITE_P(Texts, TerminalBarcode,
                         ::testing::Values(BarcodeCase{"123", "12 3F FF FF FF FF FF"},
                                           BarcodeCase{"", "FF FF FF FF FF FF FF"},
                                           BarcodeCase{"1234567890123", "12 34 56 78 90 12 3F"},
                                           BarcodeCase{"00000000000000", "00 00 00 00 00 00 00"},
                                           BarcodeCase{"8600123456789", "86 00 12 34 56 78 9F"},
                                           // Only 14 places: the rest is cut.
                                           BarcodeCase{"1234567890123456", "12 34 56 78 90 12 34"},
                                           // Low four bits of the code: ':' is 0x3A, 'A' 0x41.
                                           BarcodeCase{":A", "A1 FF FF FF FF FF FF"},
                                           BarcodeCase{"7", "7F FF FF FF FF FF FF"}));

struct DigitsCase {
    const char *packed;
    const char *digits;
};

class TerminalBarcodeDigits : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(TerminalBarcodeDigits, KeepsOnlyTheDigitPlaces)
{
    EXPECT_EQ(barcodeDigits(hex(GetParam().packed)), u(GetParam().digits));
}

INSTANTIATE_TEST_SUITE_P(Packed, TerminalBarcodeDigits,
                         ::testing::Values(DigitsCase{"12 3F FF FF FF FF FF", "123"},
                                           DigitsCase{"FF FF FF FF FF FF FF", ""},
                                           DigitsCase{"12 34 56 78 90 12 3F", "1234567890123"},
                                           DigitsCase{"00 00 00 00 00 00 00", "00000000000000"},
                                           DigitsCase{"A1 BC 2D EF F3 FF 9F", "1239"},
                                           // Fewer than seven bytes read as fill.
                                           DigitsCase{"45", "45"}));

// ---------------------------------------------------------------- records to send

class UnderBothSeparators : public ::testing::TestWithParam<QChar> {
protected:
    Regional regional() const { return Regional::withDecimal(GetParam()); }
    // ',' in a literal stands for the regional separator.
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
    ArticleRow row(const char *name, const char *barcode, const char *price, const char *tax) const
    {
        ArticleRow r;
        r.name = u(name);
        r.barcode = u(barcode);
        r.price = s(price);
        r.tax = u(tax);
        return r;
    }
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

TEST_P(UnderBothSeparators, BreadIsWrittenAsTheLayoutExampleShows)
{
    const QByteArray record = articleRecord(1, row("Хлеб", "123", "12,50", "Д"), regional());
    EXPECT_EQ(hexOf(record), hexOf(hex("00 00 12 3F FF FF FF FF FF 02 E2 04 00 00 D5 EB E5 E1 1B")));
}

TEST_P(UnderBothSeparators, PointTextIsReadWithFixedRules)
{
    const QByteArray record = articleRecord(1, row("A", "", "12.5", "А"), regional());
    EXPECT_EQ(hexOf(record), hexOf(hex("00 00 FF FF FF FF FF FF FF 00 E2 04 00 00 41 1B")));
}

struct PriceCase {
    const char *price; // ',' is the regional separator
    const char *bytes;
};

class PriceBytes : public ::testing::TestWithParam<std::tuple<QChar, PriceCase>> {};

TEST_P(PriceBytes, HundredthsCutTowardZeroLeastSignificantFirst)
{
    const QChar sep = std::get<0>(GetParam());
    ArticleRow r;
    r.name = u("x");
    r.price = u(std::get<1>(GetParam()).price).replace(QLatin1Char(','), sep);
    const QByteArray record = articleRecord(2, r, Regional::withDecimal(sep));
    EXPECT_EQ(hexOf(record.mid(10, 4)), hexOf(hex(std::get<1>(GetParam()).bytes)));
}

INSTANTIATE_TEST_SUITE_P(Prices, PriceBytes,
                         ::testing::Combine(::testing::Values(QChar(u','), QChar(u'.')),
                                            ::testing::Values(PriceCase{"8,2", "34 03 00 00"},
                                                              PriceCase{"0", "00 00 00 00"},
                                                              PriceCase{"1,999", "C7 00 00 00"},
                                                              PriceCase{"100", "10 27 00 00"},
                                                              PriceCase{"42949672,95", "FF FF FF FF"},
                                                              PriceCase{"-0,001", "00 00 00 00"})));

TEST_P(UnderBothSeparators, ArticleNumberGoesHighByteFirst)
{
    EXPECT_EQ(hexOf(articleRecord(300, row("a", "", "0", "А"), regional()).left(2)), "01 2b");
    EXPECT_EQ(hexOf(articleRecord(4000, row("a", "", "0", "А"), regional()).left(2)), "0f 9f");
}

TEST_P(UnderBothSeparators, NameIsCutTo36CharactersAndNotTrimmed)
{
    const QString forty = u("0123456789012345678901234567890123456789");
    ArticleRow r = row("", "", "1", "А");
    r.name = forty;
    const QByteArray record = articleRecord(1, r, regional());
    EXPECT_EQ(record.size(), 14 + 36 + 1);
    EXPECT_EQ(record.mid(14, 36), forty.left(36).toLatin1());

    r.name = u("  ab ");
    EXPECT_EQ(hexOf(articleRecord(1, r, regional()).mid(14)), "20 20 61 62 20 1b");
}

TEST_P(UnderBothSeparators, NameGoesInCodePage1251WithoutDeviceConversion)
{
    // Њ is 0x8C in code page 1251 (0x9E in the device set); '\' stays 0x5C.
    EXPECT_EQ(hexOf(articleRecord(1, row("Њ\\", "", "0", "А"), regional()).mid(14)), "8c 5c 1b");
}

TEST_P(UnderBothSeparators, EscapeInANameCannotEndTheRecord)
{
    ArticleRow r = row("", "", "0", "А");
    r.name = QStringLiteral("a\x1b" "b");
    EXPECT_EQ(hexOf(articleRecord(1, r, regional()).mid(14)), "61 3f 62 1b");
}

struct TaxCase {
    const char *cell;
    int index;
};

class TaxByte : public ::testing::TestWithParam<TaxCase> {};

TEST_P(TaxByte, FirstCharacterAgainstTheNineLabels)
{
    ArticleRow r;
    r.name = u("x");
    r.tax = u(GetParam().cell);
    EXPECT_EQ(int(std::uint8_t(articleRecord(1, r, Regional::comma()).at(9))), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Cells, TaxByte,
                         ::testing::Values(TaxCase{"А", 0}, TaxCase{"Г", 1}, TaxCase{"Д", 2}, TaxCase{"Ђ", 3},
                                           TaxCase{"Е", 4}, TaxCase{"Ж", 5}, TaxCase{"И", 6}, TaxCase{"J", 7},
                                           TaxCase{"К", 8}, TaxCase{"Дx", 2}, TaxCase{"", 0}, TaxCase{"Q", 0},
                                           // The Cyrillic Ј is no label; the Latin J is.
                                           TaxCase{"Ј", 0}, TaxCase{"A", 0}));

TEST_P(UnderBothSeparators, PriceThatIsNoNumberIsAConversionError)
{
    try {
        articleRecord(1, row("x", "", "12a", "А"), regional());
        FAIL() << "no error";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.text(), u("'12a' is not a valid floating point value"));
    }
    EXPECT_THROW(articleRecord(1, row("x", "", " ", "А"), regional()), ConversionError);
    EXPECT_EQ(hexOf(articleRecord(1, row("x", "", "", "А"), regional()).mid(10, 4)), "00 00 00 00")
        << "an empty price is 0, as in the register write";
}

TEST_P(UnderBothSeparators, PriceOutsideTheFourBytesIsRefused)
{
    EXPECT_THROW(articleRecord(1, row("x", "", "-1", "А"), regional()), ProgramError);
    EXPECT_THROW(articleRecord(1, row("x", "", "42949672,96", "А"), regional()), ProgramError);
    EXPECT_THROW(articleRecord(1, row("x", "", "1e30", "А"), regional()), ProgramError);
}

INSTANTIATE_TEST_SUITE_P(Separators, UnderBothSeparators, ::testing::Values(QChar(u','), QChar(u'.')),
                         separatorName);

struct NamedCase {
    const char *name;
    bool named;
};

class RowIsNamed : public ::testing::TestWithParam<NamedCase> {};

TEST_P(RowIsNamed, BlanksAndControlCharactersDoNotCount)
{
    ArticleRow r;
    r.name = u(GetParam().name);
    EXPECT_EQ(isNamed(r), GetParam().named);
}

INSTANTIATE_TEST_SUITE_P(Names, RowIsNamed,
                         ::testing::Values(NamedCase{"", false}, NamedCase{"    ", false}, NamedCase{"\t \x01 ", false},
                                           NamedCase{" a ", true}, NamedCase{"Хлеб", true}));

// ---------------------------------------------------------------- command file

struct CommandCase {
    Command command;
    const char *bytes;
};

class CommandWithoutRecords : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandWithoutRecords, IsExactlyTheseBytes)
{
    EXPECT_EQ(hexOf(commandFile(GetParam().command)), hexOf(hex(GetParam().bytes)));
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandWithoutRecords,
                         ::testing::Values(CommandCase{Command::ReadArticles, "32"},
                                           CommandCase{Command::DailyReport, "35"},
                                           CommandCase{Command::SendSelected, "33 3C 44 3E 3C 2F 44 3E"},
                                           CommandCase{Command::SendAll, "34 3C 44 3E 3C 2F 44 3E"}));

TEST(CommandFile, RecordsStandBetweenTheMarks)
{
    const QList<QByteArray> records{articleRecord(1, [] {
                                        ArticleRow r;
                                        r.name = u("Хлеб");
                                        r.barcode = u("123");
                                        r.price = u("12.50");
                                        r.tax = u("Д");
                                        return r;
                                    }(), Regional::point()),
                                    hex("01 2B FF FF FF FF FF FF FF 00 00 00 00 00 41 1B")};
    EXPECT_EQ(hexOf(commandFile(Command::SendAll, records)),
              hexOf(hex("34 3C 44 3E"
                        "00 00 12 3F FF FF FF FF FF 02 E2 04 00 00 D5 EB E5 E1 1B"
                        "01 2B FF FF FF FF FF FF FF 00 00 00 00 00 41 1B"
                        "3C 2F 44 3E")));
    // The commands without articles ignore records.
    EXPECT_EQ(hexOf(commandFile(Command::ReadArticles, records)), "32");
}

TEST(CommandFile, WrittenFileReplacesTheOldOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Command.iv"));
    QString error;
    ASSERT_TRUE(writeCommandFile(path, hex("34 3C 44 3E 3C 2F 44 3E"), &error)) << error.toStdString();
    ASSERT_TRUE(writeCommandFile(path, hex("35"), &error)) << error.toStdString();
    EXPECT_EQ(hexOf(readFile(path)), "35");
}

TEST(CommandFile, FileThatCannotBeCreatedGivesTheSystemsError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/Command.iv"));
    QString error;
    EXPECT_FALSE(writeCommandFile(path, hex("32"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

// ---------------------------------------------------------------- terminal data file

// A terminal article record as the terminal writes it (name in device bytes).
QByteArray deviceArticle(const char *fixedHex, const QByteArray &name)
{
    return hex(fixedHex) + name + '\x1b';
}

const char *const BreadFixed = "00 00 12 3F FF FF FF FF FF 02 E2 04 00 00";

TEST(ArticleSplit, LeadingLetterAndMarkAreRemoved)
{
    const QByteArray record = deviceArticle(BreadFixed, hex("95 AB A5 A1"));
    const Split split = splitArticleRecords(QByteArray("x<D>") + record);
    ASSERT_EQ(split.records.size(), 1);
    EXPECT_EQ(hexOf(split.records[0]), hexOf(record));
    EXPECT_EQ(split.malformed, 0);
}

struct SplitCase {
    const char *label;
    QByteArray file;
    QList<QByteArray> records;
};

class ArticleSplitCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ArticleSplitCases, GivesTheseRecords)
{
    const Split split = splitArticleRecords(GetParam().file);
    ASSERT_EQ(split.records.size(), GetParam().records.size());
    for (int i = 0; i < split.records.size(); ++i)
        EXPECT_EQ(hexOf(split.records[i]), hexOf(GetParam().records[i])) << i;
}

const QByteArray A1 = deviceArticle("00 00 12 3F FF FF FF FF FF 02 E2 04 00 00", "AB");
// 0x1B in the price bytes at offsets 12 and 13 and in the index.
const QByteArray A2 = deviceArticle("1B 1B 1B 1B FF FF FF FF FF 1B 1B 1B 1B 1B", "C");
const QByteArray EmptyName = hex("00 05 FF FF FF FF FF FF FF 00 00 00 00 00 1B");

INSTANTIATE_TEST_SUITE_P(
    Files, ArticleSplitCases,
    ::testing::Values(SplitCase{"empty", QByteArray(), {}}, SplitCase{"only marks", "<D></D>", {}},
                      SplitCase{"two and the closing mark", "<D>" + A1 + A2 + "</D>", {A1, A2}},
                      SplitCase{"no mark at all", A1 + A2, {A1, A2}},
                      SplitCase{"escape bytes in the numbers are data", "head<D>" + A2, {A2}},
                      SplitCase{"leading text with escapes", "\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b\x1b<D>" + A1,
                                {A1}},
                      SplitCase{"unfinished record is dropped", "<D>" + A1 + A2.left(A2.size() - 1), {A1}},
                      SplitCase{"record with an empty name is split", "<D>" + EmptyName + A1, {EmptyName, A1}},
                      SplitCase{"later marks are data", "<D>" + deviceArticle(BreadFixed, "<D>") + A1,
                                {deviceArticle(BreadFixed, "<D>"), A1}}),
    [](const ::testing::TestParamInfo<SplitCase> &info) {
        std::string name = info.param.label;
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(ArticleDecode, FieldsOfTheRecord)
{
    const auto a = decodeArticle(deviceArticle("01 2B 86 00 12 34 56 78 9F 08 10 27 00 00", hex("9E A8 A2 A0")));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->index, 299);
    EXPECT_EQ(a->barcode, u("8600123456789"));
    EXPECT_EQ(a->taxIndex, 8);
    EXPECT_EQ(a->priceHundredths, 10000u);
    EXPECT_EQ(a->name, u("Њива"));
}

TEST(ArticleDecode, NameComesFromTheDeviceCharacterSet)
{
    // Register 0x5B is the backslash, 0x5F the commercial at, 0xC0 the cp1251 А.
    const auto a = decodeArticle(deviceArticle(BreadFixed, hex("5B 5F C0 20")));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->name, u("\\@А "));
}

TEST(ArticleDecode, EmptyNameOrShortRecordGivesNothing)
{
    EXPECT_FALSE(decodeArticle(EmptyName).has_value());
    EXPECT_FALSE(decodeArticle(hex("00 00 12")).has_value());
    EXPECT_FALSE(decodeArticle(QByteArray()).has_value());
    // A record without its terminator decodes the same.
    EXPECT_EQ(decodeArticle(A1.chopped(1))->name, u("AB"));
}

TEST(ArticleDecode, NameRunsToTheTerminatorWithoutALimit)
{
    for (int length : {36, 40, 50}) {
        const auto a = decodeArticle(deviceArticle(BreadFixed, QByteArray(length, 'z')));
        ASSERT_TRUE(a.has_value()) << length;
        EXPECT_EQ(a->name, QString(length, QLatin1Char('z'))) << length;
    }
}

// A terminal sales record: 18 bytes and the terminator.
QByteArray sale(const char *bytesHex)
{
    QByteArray r = hex(bytesHex);
    EXPECT_EQ(r.size(), 18);
    return r + '\x1b';
}

const QByteArray S1 = sale("00 00 12 3F FF FF FF FF FF D2 04 00 00 02 01 00 00 05");
// Escapes at offsets 16 and 17 (turnover) and in the quantity.
const QByteArray S2 = sale("00 07 FF FF FF FF FF FF FF 1B 1B 1B 00 1B 1B 1B 1B 1B");

class SalesSplitCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SalesSplitCases, GivesTheseRecords)
{
    const Split split = splitSalesRecords(GetParam().file);
    ASSERT_EQ(split.records.size(), GetParam().records.size());
    for (int i = 0; i < split.records.size(); ++i)
        EXPECT_EQ(hexOf(split.records[i]), hexOf(GetParam().records[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SalesSplitCases,
    ::testing::Values(SplitCase{"empty", QByteArray(), {}}, SplitCase{"only marks", "<D></D>", {}},
                      SplitCase{"two and the closing mark", "x<D>" + S1 + S2 + "</D>", {S1, S2}},
                      SplitCase{"escapes in the numbers are data", "<D>" + S2 + S2, {S2, S2}},
                      SplitCase{"unfinished record is dropped", "<D>" + S1 + S2.left(18), {S1}},
                      SplitCase{"no mark at all", S1, {S1}}),
    [](const ::testing::TestParamInfo<SplitCase> &info) {
        std::string name = info.param.label;
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(SalesSplit, PieceOutOfStepIsCountedAndSkipped)
{
    // A piece one byte short: its 19th byte is not the terminator. The reader
    // skips to the first terminator after the fixed part (S2's quantity).
    const QByteArray shortPiece = S1.left(17) + '\x1b';
    Split split = splitSalesRecords("<D>" + shortPiece + S2 + "</D>");
    EXPECT_EQ(split.malformed, 1);
    EXPECT_TRUE(split.records.isEmpty());

    // Records after the damage are taken again once the reader is in step.
    split = splitSalesRecords("<D>" + S1 + hex("00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 1B") + S1);
    EXPECT_EQ(split.malformed, 1);
    ASSERT_EQ(split.records.size(), 2);
    EXPECT_EQ(hexOf(split.records[1]), hexOf(S1));
}

TEST(SalesDecode, FieldsOfTheRecord)
{
    const auto s = decodeSale(S1);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->index, 0);
    EXPECT_EQ(s->barcode, u("123"));
    EXPECT_EQ(s->soldThousandths, 1234u);
    // Whole part 0x0102 = 258, then 5 hundredths.
    EXPECT_EQ(s->turnoverHundredths, 25805);

    const auto big = decodeSale(sale("0F 9F 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF FF"));
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->index, 3999);
    EXPECT_EQ(big->barcode, u("00000000000000"));
    EXPECT_EQ(big->soldThousandths, 0xFFFFFFFFu);
    EXPECT_EQ(big->turnoverHundredths, qint64(0xFFFFFFFFu) * 100 + 255);
}

TEST(SalesDecode, AllFillBarcodeIsEmptyAndShortRecordGivesNothing)
{
    EXPECT_EQ(decodeSale(S2)->barcode, QString());
    EXPECT_FALSE(decodeSale(S1.left(17)).has_value());
}

TEST(RoundTrip, SentRecordReadBackAsATerminalRecord)
{
    ArticleRow r;
    r.name = u("Mleko 1l");
    r.barcode = u("8600123456789");
    r.price = u("99.99");
    r.tax = u("Е");
    const QByteArray sent = articleRecord(17, r, Regional::point());
    const Split split = splitArticleRecords(commandFile(Command::SendAll, {sent}).mid(1));
    ASSERT_EQ(split.records.size(), 1);
    const auto back = decodeArticle(split.records[0]);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->index, 16);
    EXPECT_EQ(back->name, r.name);
    EXPECT_EQ(back->barcode, r.barcode);
    EXPECT_EQ(back->taxIndex, 4);
    EXPECT_EQ(back->priceHundredths, 9999u);
}

} // namespace
