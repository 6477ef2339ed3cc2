// The readers on their own: CSV encodings and delimiters, and files that are
// refused with their name and a reason.
#include "import/importrig.h"
#include "import/zipfixture.h"

#include "charset/cp1251.h"
#include "import/csvreader.h"

namespace {

struct CsvCase {
    const char *what;
    QByteArray bytes;
};

class CsvReading : public ::testing::TestWithParam<CsvCase> {};

QByteArray utf16le(const QString &text)
{
    QByteArray b("\xFF\xFE", 2);
    for (const QChar c : text) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    return b;
}

const QString Lines = QStringLiteral("Назив;Цена\r\n\"Сок; јабука\r\n1 l\";\"1,5\"\r\nЧај;2\r\n");

TEST_P(CsvReading, GivesTheSameCells)
{
    const Workbook book = CsvReader::read(GetParam().bytes, QStringLiteral("list.csv"));
    ASSERT_TRUE(book.ok());
    const Sheet &s = book.sheets.at(0);
    ASSERT_EQ(s.rows.size(), 3) << GetParam().what;
    EXPECT_EQ(s.text(0, 0), QStringLiteral("Назив"));
    EXPECT_EQ(s.text(1, 0), QStringLiteral("Сок; јабука\r\n1 l"));
    EXPECT_EQ(s.text(1, 1), QStringLiteral("1,5"));
    EXPECT_EQ(s.text(2, 0), QStringLiteral("Чај"));
    EXPECT_EQ(s.text(2, 1), QStringLiteral("2"));
}

QString withDelimiter(QChar d)
{
    return QString(Lines).replace(QLatin1String(";\""), QString(d) + QLatin1Char('"'))
        .replace(QLatin1String("\";"), QLatin1String("\"") + d)
        .replace(QStringLiteral("Назив;"), QStringLiteral("Назив") + d)
        .replace(QStringLiteral("Чај;"), QStringLiteral("Чај") + d);
}

INSTANTIATE_TEST_SUITE_P(
    EncodingsAndDelimiters, CsvReading,
    ::testing::Values(CsvCase{"UTF-8", Lines.toUtf8()}, CsvCase{"UTF-8 BOM", "\xEF\xBB\xBF" + Lines.toUtf8()},
                      CsvCase{"UTF-16", utf16le(Lines)},
                      CsvCase{"1251", Cp1251::fromUnicode(Lines)},
                      CsvCase{"comma", withDelimiter(QLatin1Char(',')).toUtf8()},
                      CsvCase{"tab", withDelimiter(QLatin1Char('\t')).toUtf8()},
                      CsvCase{"bar", withDelimiter(QLatin1Char('|')).toUtf8()}));

struct Refusal {
    const char *what;
    QByteArray bytes;
    const char *name;
};

class RefusedFile : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedFile, NamesTheFileAndGivesNoSheet)
{
    const Refusal r = GetParam();
    const Workbook book = BookReader::read(r.bytes, QString::fromLatin1(r.name));
    EXPECT_FALSE(book.ok()) << r.what;
    EXPECT_TRUE(book.sheets.isEmpty()) << r.what;
    EXPECT_TRUE(book.error.contains(QString::fromLatin1(r.name))) << book.error.toStdString();
}

QByteArray damaged(const char *fixture, double at)
{
    QByteArray b = fixtureBytes(QString::fromLatin1(fixture));
    const qsizetype i = qsizetype(double(b.size()) * at);
    b[i] = char(b.at(i) ^ 0x5A);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    DamagedOrWrongKind, RefusedFile,
    ::testing::Values(
        Refusal{"xlsx cut short", fixtureBytes(QStringLiteral("calc.xlsx")).left(3000), "cut.xlsx"},
        Refusal{"xlsx byte changed", damaged("calc.xlsx", 0.3), "damaged.xlsx"},
        Refusal{"ods byte changed", damaged("calc.ods", 0.2), "damaged.ods"},
        Refusal{"xlsx that is no zip", QByteArray("Naziv;Cena\r\n"), "plain.xlsx"},
        Refusal{"text document", zipOf({{"mimetype", "application/vnd.oasis.opendocument.text"},
                                        {"content.xml", "<office:document-content/>"}}), "letter.odt"},
        Refusal{"word document", zipOf({{"word/document.xml", "<w:document/>"}}), "letter.docx"},
        Refusal{"old excel", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), "old.xls"}));

} // namespace

namespace {

// A byte changed anywhere (every 61st here; the fuzz targets try the rest)
// gives the sheets or a refusal naming the file, never both, never a crash.
TEST(DamagedZip, AnyChangedByteIsReadOrRefused)
{
    for (const char *fixture : {"calc.xlsx", "calc.ods", "openpyxl.xlsx"}) {
        const QByteArray good = fixtureBytes(QString::fromLatin1(fixture));
        for (qsizetype i = 0; i < good.size(); i += 61) {
            QByteArray bytes = good;
            bytes[i] = char(bytes.at(i) ^ 0xFF);
            const Workbook book = BookReader::read(bytes, QStringLiteral("kopija"));
            if (!book.ok()) {
                EXPECT_TRUE(book.sheets.isEmpty()) << fixture << " byte " << i;
                EXPECT_TRUE(book.error.contains(QStringLiteral("kopija"))) << fixture << " byte " << i;
            }
        }
    }
}

} // namespace
