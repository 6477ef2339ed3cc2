#include "core/filestore.h"
#include "tablefiles/tablefile.h"

#include "charset/cp1251.h"
#include "protocol/fields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList freshArticle(int number)
{
    return {QString::number(number), QString(), QStringLiteral("00000000000000"), QStringLiteral("1"),
            QStringLiteral("0"), QStringLiteral("А"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0")};
}

class UnderBothSeparators : public ::testing::TestWithParam<QChar> {
protected:
    QChar list() const { return GetParam(); }
};

} // namespace

TEST(ArticleFile, FreshRowIsWrittenByteForByte)
{
    const QByteArray bytes = TableFile::articles().save({freshArticle(1)}, QLatin1Char(';'));
    // А is 0xC0 in code page 1251.
    EXPECT_EQ(bytes, QByteArray("1;\"\";\"00000000000000\";1;0;\"\xC0\";0;0;0;0;\r\n"));
}

TEST(ArticleFile, KnownTableByteForByte)
{
    QStringList a = freshArticle(1);
    a[1] = QStringLiteral("Хлеб \"Сава\"; бели");
    a[2] = QStringLiteral("8600123456789");
    a[4] = QStringLiteral("45.5");
    a[5] = QStringLiteral("Ђ");
    a[6] = QStringLiteral("-2.5");
    a[9] = QStringLiteral("1000.5");
    QStringList b = freshArticle(2);
    b[5] = QStringLiteral("\"");
    const QByteArray bytes = TableFile::articles().save({a, b}, QLatin1Char(','));
    EXPECT_EQ(bytes, QByteArray("1,\"\xD5\xEB\xE5\xE1 \"\"\xD1\xE0\xE2\xE0\"\"; \xE1\xE5\xEB\xE8\",\"8600123456789\",1,45.5,"
                                "\"\x80\",-2.5,0,0,1000.5,\r\n"
                                "2,\"\",\"00000000000000\",1,0,\"\"\",0,0,0,0,\r\n"));
}

TEST(DepartmentFile, RowByteForByte)
{
    const QStringList row = {"3", "Одељење 3", "0,00", "0", "Ж", "12,5"};
    EXPECT_EQ(TableFile::departments().save({row}, QLatin1Char(';')),
              QByteArray("3;\"\xCE\xE4\xE5\x9A\xE5\x9C\xE5 3\";0,00;0;\"\xC6\";12,5\r\n"));
}

TEST_P(UnderBothSeparators, FullArticleTableRoundTrips)
{
    QList<QStringList> rows;
    for (int r = 1; r <= 4000; ++r) {
        QStringList row = freshArticle(r);
        row[1] = r % 7 == 0 ? QStringLiteral("Име, \"са\"; знаковима %1").arg(r) : QStringLiteral("Артикал %1").arg(r);
        row[2] = QString::number(8600000000000LL + r);
        row[3] = QString::number(r % 8 + 1);
        row[4] = QStringLiteral("12") + (list() == QLatin1Char(';') ? QStringLiteral(",5") : QStringLiteral(".5"));
        row[5] = Fields::taxLabels().at(r % 9);
        row[7] = QString::number(r % 13);
        rows.append(row);
    }
    const QList<QStringList> loaded = TableFile::articles().load(TableFile::articles().save(rows, list()), list());
    ASSERT_EQ(loaded.size(), 4000);
    for (int r = 0; r < 4000; ++r)
        ASSERT_EQ(loaded[r], rows[r].mid(0, 8)) << "row " << r + 1;
}

TEST_P(UnderBothSeparators, DepartmentTaxDigitsAndLabels)
{
    QString text = QStringLiteral("1;\"A\";0;0;\"3\";0\r\n2;\"B\";0;0;\"Ж\";0\r\n"
                                  "3;\"C\";0;0;\"9\";0\r\n4;\"D\";0;0;\"12\";0\r\n");
    text.replace(QLatin1Char(';'), list());
    const QList<QStringList> rows = TableFile::departments().load(Cp1251::fromUnicode(text), list());
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0][4], QStringLiteral("Ђ"));
    EXPECT_EQ(rows[1][4], QStringLiteral("Ж")) << "a label loads as it is";
    EXPECT_EQ(rows[2][4], QStringLiteral("9")) << "9 is no tax index";
    EXPECT_EQ(rows[3][4], QStringLiteral("12")) << "only single digits are converted";
    EXPECT_EQ(rows[0].size(), 5) << "the turnover is not loaded";
}

INSTANTIATE_TEST_SUITE_P(Separators, UnderBothSeparators, ::testing::Values(QChar(u';'), QChar(u',')),
                         [](const auto &info) { return info.param == u';' ? "semicolon" : "comma"; });

TEST(ArticleFile, ShortFilesLinesAndForeignSeparators)
{
    const QList<QStringList> rows = TableFile::articles().load("5;\"x\"\r\n6\r\n", QLatin1Char(';'));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], (QStringList{"5", "x", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[1][0], QStringLiteral("6"));
    EXPECT_EQ(rows[1][5], QString()) << "an empty tax field stays empty";

    const QList<QStringList> foreign = TableFile::articles().load("1,\"x\",\"0\",1\r\n", QLatin1Char(';'));
    EXPECT_EQ(foreign[0][0], QStringLiteral("1,\"x\",\"0\",1")) << "one long first field";
}

TEST(ArticleFile, MoreThan4000LinesAreNotRead)
{
    QByteArray file;
    for (int i = 0; i < 4100; ++i)
        file += "1;\"a\"\r\n";
    EXPECT_EQ(TableFile::articles().load(file, QLatin1Char(';')).size(), 4000);
}

TEST(ArticleFile, BinaryJunkLoadsWhatItCan)
{
    QByteArray junk;
    for (int i = 0; i < 5000; ++i)
        junk.append(char((i * 7919) % 256));
    const QList<QStringList> rows = TableFile::articles().load(junk, QLatin1Char(';'));
    EXPECT_LE(rows.size(), 4000);
    for (const QStringList &r : rows)
        EXPECT_EQ(r.size(), 8);
}

TEST(FileStore, SaveReplacesAndFailuresAreReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ART_123456.CSV"));
    QString error;
    ASSERT_TRUE(FileStore::writeAtomically(path, "first", &error));
    ASSERT_TRUE(FileStore::writeAtomically(path, "second", &error));
    QByteArray bytes;
    ASSERT_TRUE(FileStore::readAll(path, &bytes, &error));
    EXPECT_EQ(bytes, QByteArray("second"));

    EXPECT_FALSE(FileStore::writeAtomically(dir.filePath(QStringLiteral("missing/dir/x.csv")), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(FileStore::readAll(dir.filePath(QStringLiteral("nothing.csv")), &bytes, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(FileStore::readAll(dir.path(), &bytes, &error)) << "a folder is no file";

    // A save into a path that is a folder fails and leaves the folder alone.
    QDir(dir.path()).mkdir(QStringLiteral("taken.csv"));
    EXPECT_FALSE(FileStore::writeAtomically(dir.filePath(QStringLiteral("taken.csv")), "x", &error));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken.csv"))).isDir());
}

TEST(TableFile, DefaultNamesAndFilter)
{
    EXPECT_EQ(TableFile::articles().defaultFileName(QStringLiteral("123456")), QStringLiteral("ART_123456.CSV"));
    EXPECT_EQ(TableFile::departments().defaultFileName(QString()), QStringLiteral("OD_.CSV"));
    EXPECT_EQ(TableFile::filterText(),
              QStringLiteral("CSV fajlovi (*.csv)|*.csv|Svi fajlovi (*.*)|*.*|IV fajlovi (*.iv)|*.iv"));
}
