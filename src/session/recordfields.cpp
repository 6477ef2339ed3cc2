#include "session/recordfields.h"

#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "params/articles/articlerecord.h"
#include "params/articles/articletablemodel.h"
#include "params/departments/departmentrecord.h"
#include "params/departments/departmenttablemodel.h"
#include "params/groups/grouprecord.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/operators/operatorrecord.h"
#include "params/taxrates/taxratefamily.h"

#include <QHash>

namespace {

// The write layout of one article (command 116).
constexpr int ArticleName = 2;
constexpr int ArticleBarcode = 39;
constexpr int ArticleTax = 46;
constexpr int ArticleGroupDepartment = 47;
constexpr int ArticlePrice = 48;
constexpr int ArticleStock = 52;

QList<RecordField> articleFields(const QByteArray &wire, const Regional &regional)
{
    using M = ArticleTableModel;
    const auto header = [](int column) { return M::headers().value(column); };
    const std::uint8_t gd = Fields::byteAt(wire, ArticleGroupDepartment);
    return {
        {header(M::Name), Fields::decodeName(wire.mid(ArticleName, ArticleRecord::NameWidth)), M::Name},
        {header(M::Barcode), ArticleRecord::barcodeText(wire.mid(ArticleBarcode, ArticleRecord::BarcodeWidth)),
         M::Barcode},
        {header(M::Department), QString::number((gd & 0x0F) + 1), M::Department},
        {header(M::Price), DecimalText::formatScaled(Fields::getU32(wire, ArticlePrice), 2, regional.decimal),
         M::Price},
        {header(M::Tax), Fields::taxLabelOrA(Fields::byteAt(wire, ArticleTax) & 0x0F), M::Tax},
        {header(M::Quantity), DecimalText::formatScaled(Fields::getI32(wire, ArticleStock), 3, regional.decimal),
         M::Quantity},
        {header(M::Group), QString::number(gd >> 4), M::Group},
    };
}

// A group or operator write is its read reply without the turnover part:
// the reply decoder reads it padded to the reply length.
QList<RecordField> groupFields(const QByteArray &wire, const Regional &regional)
{
    const GroupRecord::Reply r =
        GroupRecord::readReply(wire.leftJustified(GroupRecord::ReplyLength, '\0'), regional.decimal);
    // Grid columns: 1 the name, 2 the share.
    return {{QStringLiteral("Назив"), r.name, 1}, {QStringLiteral("Удео"), r.share, 2}};
}

QList<RecordField> operatorFields(const QByteArray &wire, const Regional &regional)
{
    const OperatorRecord::Reply r =
        OperatorRecord::readReply(wire.leftJustified(OperatorRecord::ReplyLength, '\0'), regional.decimal);
    // Grid columns: 1 the name, 2 the password.
    return {{QStringLiteral("Назив"), r.name, 1}, {QStringLiteral("Лозинка"), r.password, 2}};
}

// The write layout of one department (command 112).
QList<RecordField> departmentFields(const QByteArray &wire, const Regional &regional)
{
    using M = DepartmentTableModel;
    const auto header = [](int column) { return M::headers().value(column); };
    const std::uint8_t gt = Fields::byteAt(wire, 20);
    return {
        {header(M::Name), Fields::decodeName(wire.mid(1, DepartmentRecord::NameWidth)), M::Name},
        {header(M::Price), DecimalText::formatScaled(Fields::getU32(wire, 21), 2, regional.decimal), M::Price},
        {header(M::Group), QString::number(gt >> 4), M::Group},
        {header(M::Tax), Fields::taxLabelOrA(gt & 0x0F), M::Tax},
    };
}

// A header line write (command 102): the line number, then the text padded
// with blanks to the field width; the padding is not part of the text.
constexpr int HeaderLineWriteLength = 1 + HeaderLineFamily::FieldWidth;

QList<RecordField> headerLineFields(const QByteArray &wire)
{
    QString text = Fields::decodeText(wire.mid(1, HeaderLineFamily::FieldWidth));
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return {{QStringLiteral("Текст"), text, 0}};
}

// A tax rate write; column 1 of the tax table holds the rates.
QList<RecordField> taxRateFields(const QByteArray &wire, const Regional &regional)
{
    const std::uint16_t rate = Fields::getU16(wire, TaxRateFamily::RateOffset);
    return {{QStringLiteral("Стопа"), TaxRateFamily::rateText(rate, regional.decimal), 1}};
}

} // namespace

QList<RecordField> recordFields(const QString &family, const QByteArray &wire, const Regional &regional)
{
    if (family == QLatin1String("headerlines") && wire.size() >= HeaderLineWriteLength)
        return headerLineFields(wire);
    if (family == QLatin1String("taxrates") && wire.size() >= TaxRateFamily::RecordLength)
        return taxRateFields(wire, regional);
    if (family == QLatin1String("articles") && wire.size() >= ArticleRecord::WriteDataLength)
        return articleFields(wire, regional);
    if (family == QLatin1String("groups") && wire.size() >= GroupRecord::WriteLength)
        return groupFields(wire, regional);
    if (family == QLatin1String("operators") && wire.size() >= OperatorRecord::WriteLength)
        return operatorFields(wire, regional);
    if (family == QLatin1String("departments") && wire.size() >= DepartmentRecord::WriteDataLength)
        return departmentFields(wire, regional);
    return {{QStringLiteral("Подаци"), QString::fromLatin1(wire.toHex(' ')).toUpper(), -1}};
}

QString familyTitle(const QString &family)
{
    static const QHash<QString, QString> titles = {
        {QStringLiteral("headerlines"), QStringLiteral("Заглавље")},
        {QStringLiteral("taxrates"), QStringLiteral("Пореске стопе")},
        {QStringLiteral("departments"), QStringLiteral("Одељења")},
        {QStringLiteral("articles"), QStringLiteral("Артикли")},
        {QStringLiteral("groups"), QStringLiteral("Групе")},
        {QStringLiteral("operators"), QStringLiteral("Оператери")},
        {QStringLiteral("logo"), QStringLiteral("Лого")},
        {QStringLiteral("passwords"), QStringLiteral("Лозинке")},
    };
    return titles.value(family, family);
}
