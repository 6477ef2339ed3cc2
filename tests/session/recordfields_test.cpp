// Record write bytes split into the fields a technician compares: each
// family's own encoder builds the bytes, the field texts must give back what
// went in.
#include "params/articles/articlerecord.h"
#include "params/departments/departmentrecord.h"
#include "params/groups/grouprecord.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/operators/operatorrecord.h"
#include "params/taxrates/taxratefamily.h"
#include "protocol/fields.h"
#include "catalogue/familycatalogue.h"
#include "session/registersession.h"
#include "transfer/parameterfamily.h"

#include <gtest/gtest.h>

namespace {

const Regional Comma = Regional::withDecimal(QLatin1Char(','));

// The fields as the session's family of that key splits them.
QList<RecordField> recordFields(const QString &key, const QByteArray &wire, const Regional &regional)
{
    RegisterSession session;
    return session.family(key)->recordFields(wire, regional);
}

QHash<QString, QString> byName(const QList<RecordField> &fields)
{
    QHash<QString, QString> out;
    for (const RecordField &f : fields)
        out.insert(f.name, f.text);
    return out;
}

TEST(RecordFields, ArticleFieldsComeBackAsTyped)
{
    ArticleRow row;
    row.name = QStringLiteral("МЛЕКО 1Л");
    row.barcode = QStringLiteral("08600123456789");
    row.department = QStringLiteral("3");
    row.price = QStringLiteral("129,99");
    row.tax = QStringLiteral("Ђ");
    row.quantity = QStringLiteral("-2,500");
    row.group = QStringLiteral("11");
    QByteArray wire;
    ASSERT_EQ(ArticleRecord::writeRequest(17, row, Comma, &wire), ArticleRecord::Check::Ok);
    const QHash<QString, QString> f = byName(recordFields(QStringLiteral("articles"), wire, Comma));
    EXPECT_EQ(f.value(QStringLiteral("Назив")), row.name);
    EXPECT_EQ(f.value(QStringLiteral("Бар-код")), row.barcode);
    EXPECT_EQ(f.value(QStringLiteral("Одељење")), row.department);
    EXPECT_EQ(f.value(QStringLiteral("Цена")), row.price);
    EXPECT_EQ(f.value(QStringLiteral("Порез")), row.tax);
    // Amounts come as the register's reply shows them: no trailing zeros.
    EXPECT_EQ(f.value(QStringLiteral("Количина")), QStringLiteral("-2,5"));
    EXPECT_EQ(f.value(QStringLiteral("Група")), row.group);
    EXPECT_FALSE(f.contains(QStringLiteral("Продато"))) << "sold quantities are never written";
}

TEST(RecordFields, GroupOperatorAndDepartmentFields)
{
    const auto group = byName(recordFields(QStringLiteral("groups"), GroupRecord::writeRequest(4, "ПЕКАРА", 1250), Comma));
    EXPECT_EQ(group.value(QStringLiteral("Назив")), QStringLiteral("ПЕКАРА"));
    EXPECT_EQ(group.value(QStringLiteral("Удео")), QStringLiteral("12,5"));

    const auto op = byName(recordFields(QStringLiteral("operators"), OperatorRecord::writeRequest(2, "ЈОВАН", 4711), Comma));
    EXPECT_EQ(op.value(QStringLiteral("Назив")), QStringLiteral("ЈОВАН"));
    EXPECT_EQ(op.value(QStringLiteral("Лозинка")), QStringLiteral("4711"));

    DepartmentRow row{QStringLiteral("ВОЋЕ"), QStringLiteral("45,60"), QStringLiteral("7"), QStringLiteral("Г"), {}};
    const auto dep = byName(recordFields(QStringLiteral("departments"), DepartmentRecord::writeRequest(1, row, Comma), Comma));
    EXPECT_EQ(dep.value(QStringLiteral("Назив")), row.name);
    EXPECT_EQ(dep.value(QStringLiteral("Цена")), QStringLiteral("45,6"));
    EXPECT_EQ(dep.value(QStringLiteral("Група")), row.group);
    EXPECT_EQ(dep.value(QStringLiteral("Порез")), row.tax);
}

// A tax rate write: the index, two label bytes, the rate at byte 3.
QByteArray taxRateWire(int index, std::uint16_t rate)
{
    QByteArray wire(5, '\0');
    wire[0] = char(index);
    Fields::putU16(wire, 3, rate);
    return wire;
}

TEST(RecordFields, HeaderLineTextWithoutItsPaddingAndTaxRateAsTyped)
{
    const struct {
        QString typed;
        QString shown;
    } lines[] = {{QStringLiteral("ДОБРО ДОШЛИ"), QStringLiteral("ДОБРО ДОШЛИ")},
                 {QStringLiteral("  ЦЕНТАР"), QStringLiteral("  ЦЕНТАР")},
                 {QStringLiteral("А  Б   "), QStringLiteral("А  Б")},
                 {QString(), QString()},
                 {QStringLiteral("12345678901234567890"), QStringLiteral("1234567890123456789")}};
    for (const auto &line : lines) {
        const QByteArray wire = QByteArray(1, char(3)) + HeaderLineFamily::lineField(line.typed);
        const QList<RecordField> f = recordFields(QStringLiteral("header"), wire, Comma);
        ASSERT_EQ(f.size(), 1);
        EXPECT_EQ(f[0].text, line.shown) << line.typed.toStdString();
    }

    for (const Regional &regional : {Comma, Regional::withDecimal(QLatin1Char('.'))}) {
        for (const QString &typed : {QStringLiteral("20"), QStringLiteral("8,5"), QStringLiteral("0"),
                                     QStringLiteral("99,99")}) {
            QString text = typed;
            text.replace(QLatin1Char(','), regional.decimal);
            const TaxRateFamily::Entry entry = TaxRateFamily::convertEntry(text, regional);
            ASSERT_TRUE(entry.accepted) << text.toStdString();
            const QByteArray wire = taxRateWire(4, entry.wire);
            const QList<RecordField> f = recordFields(QStringLiteral("taxes"), wire, regional);
            ASSERT_EQ(f.size(), 1);
            EXPECT_EQ(f[0].text, TaxRateFamily::rateText(entry.wire, regional.decimal));
            EXPECT_EQ(f[0].text, text);
        }
        // A tax without a rate shows as the table shows it.
        const QByteArray none = taxRateWire(8, TaxRateFamily::NoRate);
        EXPECT_EQ(recordFields(QStringLiteral("taxes"), none, regional).value(0).text,
                  TaxRateFamily::noRateText(regional.decimal));
    }
}

TEST(RecordFields, AFamilyWithoutALayoutOrAShortRecordShowsItsBytes)
{
    const QList<RecordField> header = recordFields(QStringLiteral("header"), QByteArray("\x01\xAB", 2), Comma);
    ASSERT_EQ(header.size(), 1);
    EXPECT_EQ(header[0].text, QStringLiteral("01 AB"));
    EXPECT_EQ(recordFields(QStringLiteral("articles"), QByteArray(10, '\0'), Comma).size(), 1);
    EXPECT_EQ(recordFields(QStringLiteral("taxes"), QByteArray("\x01\x20", 2), Comma).value(0).text,
              QStringLiteral("01 20"));
    EXPECT_EQ(recordFields(QStringLiteral("logo"), QByteArray("\x05\x06", 2), Comma).value(0).text,
              QStringLiteral("05 06"));
}

TEST(RecordFields, FamilyTitles)
{
    EXPECT_EQ(FamilyCatalogue::titleOf(QStringLiteral("articles")), QStringLiteral("Артикли"));
    EXPECT_EQ(FamilyCatalogue::titleOf(QStringLiteral("passwords")), QStringLiteral("Лозинке"));
}

} // namespace
