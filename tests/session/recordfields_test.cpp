// Record write bytes split into the fields a technician compares: each
// family's own encoder builds the bytes, the field texts must give back what
// went in.
#include "params/articles/articlerecord.h"
#include "params/departments/departmentrecord.h"
#include "params/groups/grouprecord.h"
#include "params/operators/operatorrecord.h"
#include "session/recordfields.h"

#include <gtest/gtest.h>

namespace {

const Regional Comma = Regional::withDecimal(QLatin1Char(','));

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

TEST(RecordFields, AFamilyWithoutALayoutOrAShortRecordShowsItsBytes)
{
    const QList<RecordField> header = recordFields(QStringLiteral("headerlines"), QByteArray("\x01\xAB", 2), Comma);
    ASSERT_EQ(header.size(), 1);
    EXPECT_EQ(header[0].text, QStringLiteral("01 AB"));
    EXPECT_EQ(recordFields(QStringLiteral("articles"), QByteArray(10, '\0'), Comma).size(), 1);
}

TEST(RecordFields, FamilyTitles)
{
    EXPECT_EQ(familyTitle(QStringLiteral("articles")), QStringLiteral("Артикли"));
    EXPECT_EQ(familyTitle(QStringLiteral("passwords")), QStringLiteral("Лозинке"));
}

} // namespace
