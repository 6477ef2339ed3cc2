#include "tablefiles/delimitedfields.h"

#include <gtest/gtest.h>

using DelimitedFields::extract;

TEST(DelimitedFields, Extraction)
{
    struct Case {
        const char *line;
        int k;
        const char *field;
    } cases[] = {
        {"1;\"Hleb\";\"00000000000000\";1", 1, "1"},
        {"1;\"Hleb\";\"00000000000000\";1", 2, "Hleb"},
        {"1;\"Hleb\";\"00000000000000\";1", 3, "00000000000000"},
        {"1;\"Hleb\";\"00000000000000\";1", 4, "1"},
        {"1;\"Hleb\";\"00000000000000\";1", 5, ""},          // fewer fields
        {"1;\"a;b\";2", 2, "a;b"},                            // separator inside quotes
        {"1;\"a;b\";2", 3, "2"},
        {"1;\"say \"\"hi\"\"\";2", 2, "say \"hi\""},           // doubled quotes
        {"\"\"\"\";x", 1, "\""},                              // the tax field of a quote, not doubled
        {"\"", 1, ""},                                        // one lone quote becomes empty
        {"\";x", 1, "\";x"},                                  // an open quote takes the separator in
        {"\"\";x", 1, ""},
        {"a\"b;c", 1, "a\"b;c"},                              // an unclosed quote swallows the separator
        {";;;", 4, ""},
        {"", 1, ""},
        {"ab\"\"cd;e", 1, "ab\"cd"},                          // pairs become one even without enclosing quotes
    };
    for (const Case &c : cases)
        EXPECT_EQ(extract(QString::fromUtf8(c.line), c.k, QLatin1Char(';')), QString::fromUtf8(c.field))
            << c.line << " field " << c.k;
}

TEST(DelimitedFields, ExtractAllAgreesWithExtract)
{
    const char *lines[] = {"1;\"a;b\";\"x\"\"y\";;\"\"\"\";7;", "\"unclosed;a;b", "", ";;", "a;\"\";\"\"\"\"\""};
    for (const char *raw : lines) {
        const QString line = QString::fromUtf8(raw);
        const QStringList all = DelimitedFields::extractAll(line, 8, QLatin1Char(';'));
        ASSERT_EQ(all.size(), 8);
        for (int k = 1; k <= 8; ++k)
            EXPECT_EQ(all[k - 1], extract(line, k, QLatin1Char(';'))) << raw << " field " << k;
    }
}

TEST(DelimitedFields, QuotingAndLines)
{
    EXPECT_EQ(DelimitedFields::quoted(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
    EXPECT_EQ(DelimitedFields::enclosed(QStringLiteral("\"")), QStringLiteral("\"\"\""));
    EXPECT_EQ(DelimitedFields::splitLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(DelimitedFields::splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
}
