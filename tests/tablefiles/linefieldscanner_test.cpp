#include "charset/cp1251.h"
#include "tablefiles/delimitedfields.h"
#include "tablefiles/linefieldscanner.h"
#include "tablefiles/tablefile.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

struct Scanned {
    QList<QStringList> fields;
    QList<int> counts;
    QList<bool> nul;
};

// Scans `bytes` fed in pieces of `piece` bytes.
Scanned scan(const QByteArray &bytes, qsizetype piece, int kept = 12, int cap = 1 << 20)
{
    Scanned out;
    LineFieldScanner scanner(';', kept, cap, [&](const LineFieldScanner::Line &line) {
        QStringList cells;
        for (const QByteArray &raw : line.raw)
            cells << DelimitedFields::unquote(Cp1251::toUnicode(raw));
        out.fields << cells;
        out.counts << line.fieldCount;
        out.nul << line.hasNul;
    });
    for (qsizetype i = 0; i < bytes.size(); i += piece)
        scanner.feed(bytes.constData() + i, qMin(piece, bytes.size() - i));
    scanner.finish();
    return out;
}

// The scanner gives what splitting the decoded text and extracting each
// field gives, whatever the pieces the bytes arrive in.
TEST(LineFieldScanner, AgreesWithTheTextRulesOnRandomLines)
{
    QRandomGenerator random(1234);
    const QByteArray alphabet("ab;\"\r\n\xC0 ,");
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int length = int(random.bounded(80));
        for (int i = 0; i < length; ++i)
            bytes.append(alphabet.at(int(random.bounded(alphabet.size()))));
        const QStringList lines = DelimitedFields::splitLines(Cp1251::toUnicode(bytes));
        for (qsizetype piece : {qsizetype(1), qsizetype(2), qsizetype(7), qsizetype(1000)}) {
            const Scanned s = scan(bytes, piece);
            ASSERT_EQ(s.fields.size(), lines.size()) << bytes.toHex().toStdString();
            for (int l = 0; l < lines.size(); ++l)
                ASSERT_EQ(s.fields[l], DelimitedFields::extractAll(lines[l], 12, QLatin1Char(';')))
                    << bytes.toHex().toStdString() << " piece " << piece;
        }
    }
}

TEST(LineFieldScanner, CountsFieldsBeyondThoseKeptAndSeesZeroBytes)
{
    const Scanned s = scan(QByteArray("a;b;c;d;e\r\nx\0y\r\n", 16), 3, 2);
    ASSERT_EQ(s.fields.size(), 2);
    EXPECT_EQ(s.fields[0], (QStringList{"a", "b"}));
    EXPECT_EQ(s.counts[0], 5);
    EXPECT_FALSE(s.nul[0]);
    EXPECT_TRUE(s.nul[1]);
}

TEST(LineFieldScanner, ALongFieldKeepsItsStartAndItsClosingQuote)
{
    const QByteArray name = "\"" + QByteArray(100000, 'N') + "\"";
    const Scanned s = scan("1;" + name + ";2\r\n", 4096, 3, 10);
    ASSERT_EQ(s.fields.size(), 1);
    EXPECT_EQ(s.fields[0][1], QString(9, QLatin1Char('N'))) << "ten bytes kept with the opening quote, the closing one added";
    EXPECT_EQ(s.fields[0][2], QStringLiteral("2")) << "the fields after a long one are not lost";
}

// ---------------------------------------------------------------- reading a table file

TEST(TableFileRead, AZeroByteRefusesTheFileAndNamesItsLine)
{
    const QByteArray line = "1;\"a\";\"0\";1;0;\"5\";0;0;0;0;\r\n";
    const QByteArray file = line + line + QByteArray("x\0y", 3) + "\r\n" + line;
    const TableFileContent content = TableFile::articles().read(file, QLatin1Char(';'));
    EXPECT_EQ(content.problem, TableFileContent::Problem::NulByte);
    EXPECT_EQ(content.badLine, 3);
}

struct KindCase {
    const char *name;
    const char *text;
    bool articleFile;
    bool departmentFile;
};

class FileKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(FileKinds, ALineWithTheFieldsOfTheKindIsNeeded)
{
    const QByteArray bytes = Cp1251::fromUnicode(QString::fromUtf8(GetParam().text));
    const auto articles = TableFile::articles().read(bytes, QLatin1Char(';'));
    const auto departments = TableFile::departments().read(bytes, QLatin1Char(';'));
    EXPECT_EQ(articles.problem == TableFileContent::Problem::None, GetParam().articleFile);
    EXPECT_EQ(departments.problem == TableFileContent::Problem::None, GetParam().departmentFile);
    if (!GetParam().articleFile) {
        EXPECT_EQ(articles.problem, TableFileContent::Problem::NoLineOfItsKind);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileKinds,
    ::testing::Values(
        KindCase{"article", "1;\"Хлеб\";\"860\";1;45,5;\"Ђ\";0;0;0;0;\r\n", true, false},
        KindCase{"article_without_last_separator", "1;\"Хлеб\";\"860\";1;45,5;\"Ђ\";0;0;0;0\r\n", true, false},
        KindCase{"department", "1;\"Пиће\";0;0;\"Ђ\";0\r\n2;\"Храна\";0;0;\"Е\";0\r\n", false, true},
        KindCase{"text", "Ово није табела.\r\nНи ово.\r\n", false, false},
        KindCase{"header_line_then_articles", "Број;Назив\r\n1;\"a\";\"0\";1;0;\"А\";0;0;0;0;\r\n", true, false},
        KindCase{"no_row_number", "x;\"a\";\"0\";1;0;\"А\";0;0;0;0;\r\n", false, false},
        KindCase{"empty", "", false, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TableFileRead, TheFirstBadLineIsNamed)
{
    const auto content = TableFile::articles().read("Ime;Cena\r\nHleb;45\r\n", QLatin1Char(';'));
    EXPECT_EQ(content.problem, TableFileContent::Problem::NoLineOfItsKind);
    EXPECT_EQ(content.badLine, 1);
    EXPECT_EQ(content.badLineStart, QStringLiteral("Ime;Cena"));
}

TEST(TableFileRead, OverlongCellsAreCut)
{
    const QByteArray name(5 * 1024 * 1024, 'A');
    const auto content = TableFile::articles().read("1;\"" + name + "\";\"860\";1;45;\"Ђ\";0;0;0;0;\r\n", QLatin1Char(';'));
    EXPECT_EQ(content.problem, TableFileContent::Problem::None);
    ASSERT_EQ(content.rows.size(), 1);
    EXPECT_EQ(content.rows[0][1], QString(TableFile::CellLimit, QLatin1Char('A')));
    EXPECT_EQ(content.rows[0][2], QStringLiteral("860"));
    EXPECT_EQ(content.cutCells, 1);
}

} // namespace

namespace {

TEST(TableFileRead, LinesPastTheTableAreOnlyCheckedForZeroBytes)
{
    QByteArray file;
    for (int i = 0; i < 4005; ++i)
        file += "1;\"a;b\";\"0\";1;0;\"5\";0;0;0;0;\r\n";
    const auto fine = TableFile::articles().read(file, QLatin1Char(';'));
    EXPECT_EQ(fine.problem, TableFileContent::Problem::None);
    EXPECT_EQ(fine.rows.size(), 4000);
    EXPECT_EQ(fine.rows[3999][1], QStringLiteral("a;b"));
    const auto zero = TableFile::articles().read(file + QByteArray("\"x\0\r\n", 5) + file.left(40), QLatin1Char(';'));
    EXPECT_EQ(zero.problem, TableFileContent::Problem::NulByte);
    EXPECT_EQ(zero.badLine, 4006);
}

} // namespace
