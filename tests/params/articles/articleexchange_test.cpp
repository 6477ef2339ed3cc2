#include "protocol/commands.h"
#include "params/articles/articlefamily.h"
#include "support/familylink.h"
#include "support/replychecksums.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// A reply to 115 describing article "A<n>" with price n hundredths.
QByteArray articleReply(int n)
{
    QByteArray data(65, '\0');
    data[0] = char(n & 0xFF);
    data[1] = char(n >> 8 & 0xFF);
    const QByteArray name = "A" + QByteArray::number(n);
    data.replace(2, int(name.size()), name);
    // Data offsets are frame offsets minus 9.
    data[46] = 0x01; // tax Г
    data[47] = 0x32; // group 3, department 3
    data[48] = char(n & 0xFF);
    data[49] = char(n >> 8 & 0xFF);
    return withRightChecksums(hexBytes("AA 01 11 12 34 56 03 73") + char(data.size()) + data + hexBytes("00 00 0D"));
}

const QByteArray Reply116 = withRightChecksums(hexBytes("AA 01 11 12 34 56 03 74 00 00 00 0D"));

// The family on a driver with a fake port; everything reported is recorded.
class ArticleExchange : public ::testing::Test, protected FamilyLink {
protected:
    ArticleFamily family{ctx};

    QStringList statuses;
    QList<int> progress;
    QStringList counters;
    QList<QPair<QString, QString>> messages;
    QStringList errors;
    QList<bool> locked;
    QList<bool> cancellable;

    void SetUp() override
    {
        QObject::connect(&family, &ParameterFamily::status, [this](const QString &t) { statuses << t; });
        QObject::connect(&family, &ParameterFamily::progress, [this](int v) { progress << v; });
        QObject::connect(&family, &ArticleFamily::counter, [this](const QString &t) { counters << t; });
        QObject::connect(&family, &ParameterFamily::message,
                         [this](const QString &a, const QString &b) { messages.append({a, b}); });
        QObject::connect(&family, &ParameterFamily::programError, [this](const QString &t) { errors << t; });
        QObject::connect(&family, &ParameterFamily::pagesLocked, [this](bool on) { locked << on; });
        QObject::connect(&driver, &ExchangeDriver::cancellableChanged, [this](bool on) { cancellable << on; });
    }

    int requestedIndex() const { return std::uint8_t(port.last().at(9)) | std::uint8_t(port.last().at(10)) << 8; }
};

} // namespace

TEST_F(ArticleExchange, ReadStoresEveryArticleAndEndsOnRowOne)
{
    QSignalSpy cells(&family, &ArticleFamily::currentCellRequested);
    QSignalSpy fills(&family, &ArticleFamily::editsFilled);
    QSignalSpy changes(&family.model(), &QAbstractItemModel::dataChanged);
    family.btnAReadClick();
    EXPECT_EQ(statuses.last(), u("Читање артикала у току..."));
    EXPECT_EQ(locked, QList<bool>{true});
    EXPECT_EQ(cancellable, QList<bool>{true});
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last().size(), 14);
    EXPECT_EQ(requestedIndex(), 0);

    for (int n = 0; n < 4000; ++n) {
        ASSERT_EQ(requestedIndex(), n);
        driver.received(articleReply(n));
        if (n == 248 || n == 249 || n == 250) {
            EXPECT_EQ(progress.last(), (n + 1) / 250 + 1) << n;
        }
    }
    EXPECT_EQ(port.writes.size(), 4000);
    EXPECT_EQ(changes.count(), 4000) << "one notification per article, no full refresh";
    EXPECT_EQ(counters.size(), 4000);
    EXPECT_EQ(counters.last(), u("4000"));
    EXPECT_EQ(progress.last(), 0);
    EXPECT_EQ(statuses.last(), u("Завршено читање артикала"));
    EXPECT_EQ(locked.last(), false);
    EXPECT_EQ(cancellable.last(), false);
    EXPECT_EQ(family.model().cell(0, 1), u("A0"));
    EXPECT_EQ(family.model().cell(3999, 1), u("A3999"));
    EXPECT_EQ(family.model().cell(3999, 4), u("39,99"));
    EXPECT_EQ(family.model().cell(17, 3), u("3"));
    EXPECT_EQ(family.model().cell(17, 5), u("Г"));

    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells.at(0).at(0).toInt(), 0);
    EXPECT_EQ(cells.at(0).at(1).toInt(), 1);
    ASSERT_EQ(fills.count(), 1);
    const auto fill = fills.at(0).at(0).value<ArticleEditFill>();
    EXPECT_EQ(fill.name.value_or(QString()), u("A0"));
    EXPECT_EQ(fill.price.value_or(QString()), u("0"));
    EXPECT_EQ(fill.department.value_or(-9), 2);
    EXPECT_EQ(fill.tax.value_or(-9), 1);
    EXPECT_FALSE(fill.quantity.has_value());
    EXPECT_FALSE(fill.group.has_value());

    // A reply after the last article is dropped.
    driver.received(articleReply(5));
    EXPECT_EQ(port.writes.size(), 4000);
    EXPECT_EQ(family.model().cell(0, 1), u("A0"));
}

TEST_F(ArticleExchange, WriteSendsAllRowsWithTheBarAtOne)
{
    family.btnAWriteClick();
    EXPECT_EQ(statuses.last(), u("Уписивање артикала у току"));
    EXPECT_EQ(locked, QList<bool>{true});
    EXPECT_EQ(cancellable, QList<bool>{true});
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.last().size(), 68);
    for (int n = 0; n < 4000; ++n) {
        ASSERT_EQ(requestedIndex(), n);
        driver.received(Reply116);
    }
    EXPECT_EQ(port.writes.size(), 4000);
    EXPECT_EQ(progress.first(), 1);
    EXPECT_EQ(progress.size(), 2) << "the bar stays at 1 for the whole write";
    EXPECT_EQ(progress.last(), 0);
    EXPECT_EQ(counters.last(), u("4000"));
    EXPECT_EQ(statuses.last(), u("Успешно уписани артикли"));
    EXPECT_EQ(locked.last(), false);
    EXPECT_EQ(cancellable.last(), false);
    // An empty default row: 37 name bytes 0xFF, department 1, tax А.
    EXPECT_EQ(port.last().mid(11, 37), QByteArray(37, char(0xFF)));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ArticleExchange, BadFirstRowStopsAtTheButton)
{
    family.model().setCell(0, ArticleTableModel::Tax, QString());
    family.btnAWriteClick();
    EXPECT_TRUE(port.writes.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.at(0).first, u("Пажња!!! "));
    EXPECT_EQ(messages.at(0).second, u("Грешка у подацима. Унос отказан!"));
    EXPECT_EQ(statuses.last(), QString());
    EXPECT_EQ(progress.last(), 0);
    EXPECT_EQ(locked.last(), false);
    EXPECT_EQ(cancellable, QList<bool>{true}) << "the first-row clean-up leaves the cancel button";
}

TEST_F(ArticleExchange, BadLaterRowStopsInTheReplyHandler)
{
    struct Bad {
        int column;
        const char *text;
    } cases[] = {{ArticleTableModel::Department, "9"},
                 {ArticleTableModel::Group, "13"},
                 {ArticleTableModel::Tax, ""},
                 {ArticleTableModel::Price, "-5"}};
    for (const Bad &bad : cases) {
        family.model().resetToDefaults();
        family.model().setCell(5, bad.column, u(bad.text));
        port.writes.clear();
        messages.clear();
        progress.clear();
        cancellable.clear();
        family.btnAWriteClick();
        for (int n = 0; n < 5; ++n)
            driver.received(Reply116);
        EXPECT_EQ(port.writes.size(), 5) << "articles 1 to 5 written, 6 not: " << bad.text;
        ASSERT_EQ(messages.size(), 1) << bad.text;
        EXPECT_EQ(messages.at(0).second, u("Грешка у подацима. Унос отказан!"));
        EXPECT_EQ(statuses.last(), QString());
        EXPECT_EQ(progress.last(), 1) << "the bar stays where it was";
        EXPECT_EQ(locked.last(), false);
        EXPECT_EQ(cancellable.last(), false);
        EXPECT_EQ(counters.last(), u("5"));
        driver.received(Reply116); // a stray reply does not restart the write
        EXPECT_EQ(port.writes.size(), 5);
    }
}

TEST_F(ArticleExchange, PriceThatDoesNotConvertStopsAndFreesThePage)
{
    family.model().setCell(3, ArticleTableModel::Price, u("1,x"));
    family.btnAWriteClick();
    for (int n = 0; n < 3; ++n)
        driver.received(Reply116);
    EXPECT_EQ(port.writes.size(), 3);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.at(0), u("'1,x' is not a valid floating point value"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(locked.last(), false);
    EXPECT_EQ(cancellable.last(), false);
    EXPECT_EQ(statuses.last(), u("Уписивање артикала у току"));
}

