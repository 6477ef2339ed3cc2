#include "import/importvalues.h"

#include "charset/cp1251.h"
#include "core/decimaltext.h"
#include "protocol/fields.h"

#include <QRegularExpression>
#include <algorithm>

ImportTaxRates ImportTaxRates::fromTexts(const QStringList &rates, const Regional &regional)
{
    ImportTaxRates r;
    for (int i = 0; i < int(r.hundredths.size()) && i < rates.size(); ++i) {
        const QString text = rates.at(i).trimmed();
        ScaledNumber n;
        const QChar mark = DecimalText::containsRegionalSeparator(text, regional) ? regional.decimal : QLatin1Char('.');
        if (!text.startsWith(QLatin1Char('*')) && DecimalText::tryParse(text, mark, 2, &n) && !n.negative)
            r.hundredths[std::size_t(i)] = n.units;
    }
    return r;
}

bool ImportTaxRates::any() const
{
    for (const auto &h : hundredths)
        if (h)
            return true;
    return false;
}

namespace ImportValues {

namespace {

constexpr int MaxBarcode = 14;
constexpr qint64 QuantityLimit = 2147483647; // thousandths in a signed 32-bit field

ValueCheck refuse(const QString &why)
{
    ValueCheck v;
    v.given = true;
    v.refusal = why;
    return v;
}

ValueCheck take(const QString &value, const QString &note = QString())
{
    ValueCheck v;
    v.given = true;
    v.value = value;
    v.note = note;
    return v;
}

QString withoutBlanks(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace() && c != QLatin1Char('\'') && c.unicode() != 0x00A0 && c.unicode() != 0x202F)
            kept += c;
    return kept;
}

// A number cell holds a binary double ("99.90000000000001"): shown, as a
// spreadsheet shows it, to 15 significant digits; the text is then read
// exactly like any other.
QString storedNumber(const QString &stored)
{
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    return ok ? QString::number(value, 'g', 15) : stored.trimmed();
}

// A number text as people write it, to one with the point as mark (or false).
bool plainNumber(const SheetCell &cell, QString *out)
{
    if (cell.number) {
        *out = storedNumber(cell.text);
        return true;
    }
    static const QRegularExpression currency(QStringLiteral("(^\\s*(дин|din|rsd)\\.?)|((дин|din|rsd)\\.?\\s*$)"),
                                             QRegularExpression::CaseInsensitiveOption
                                                 | QRegularExpression::UseUnicodePropertiesOption);
    // Most cells hold no letters at all: the currency words are looked for only when one does.
    const bool letters = std::any_of(cell.text.begin(), cell.text.end(), [](QChar c) { return c.isLetter(); });
    QString text = withoutBlanks(letters ? QString(cell.text).remove(currency) : cell.text);
    const qsizetype comma = text.lastIndexOf(QLatin1Char(','));
    const qsizetype point = text.lastIndexOf(QLatin1Char('.'));
    if (comma >= 0 && point >= 0) {
        // Both: the last one is the decimal mark, the other separates thousands.
        const QChar thousands = comma > point ? QLatin1Char('.') : QLatin1Char(',');
        text.remove(thousands);
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (comma >= 0 || point >= 0) {
        const QChar mark = comma >= 0 ? QLatin1Char(',') : QLatin1Char('.');
        const qsizetype at = comma >= 0 ? comma : point;
        // Several marks, or one followed by exactly three digits after a
        // non-zero whole part ("1.234"), separate thousands.
        const bool thousands = text.count(mark) > 1
                               || (text.size() - at - 1 == 3 && at > 0 && text.left(at) != QLatin1String("0")
                                   && text.left(at) != QLatin1String("-0"));
        if (thousands)
            text.remove(mark);
        else
            text.replace(mark, QLatin1Char('.'));
    }
    if (text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return false; // an exponent is no way to write a price by hand
    *out = text;
    return true;
}

// The value of a number text in 10^-scale units; more decimals refuse it
// rather than being cut.
bool exact(const QString &text, int scale, ScaledNumber *n, QString *why)
{
    const QString t = text.trimmed();
    ScaledNumber wide;
    if (t.isEmpty() || !DecimalText::tryParse(t, QLatin1Char('.'), scale + 3, &wide)) {
        *why = QStringLiteral("није број");
        return false;
    }
    if (wide.saturated) {
        *why = QStringLiteral("превелик број");
        return false;
    }
    bool more = wide.units % 1000 != 0;
    const qsizetype mark = t.indexOf(QLatin1Char('.'));
    if (!t.contains(QLatin1Char('e'), Qt::CaseInsensitive) && mark >= 0) {
        QString decimals = t.mid(mark + 1);
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        more = decimals.size() > scale;
    }
    if (more) {
        *why = scale == 0 ? QStringLiteral("није цео број") : QStringLiteral("више од %1 децимале").arg(scale);
        return false;
    }
    return DecimalText::tryParse(t, QLatin1Char('.'), scale, n);
}

const QString &labels(int index) { return Fields::taxLabels().at(index); }

// A single character that names a label: the Cyrillic letters in either
// case and the Latin letters that look like them.
int labelIndex(const QString &text)
{
    if (text.size() != 1)
        return -1;
    switch (text.at(0).unicode()) {
    case u'А': case u'а': case u'A': case u'a': return 0;
    case u'Г': case u'г': return 1;
    case u'Д': case u'д': return 2;
    case u'Ђ': case u'ђ': return 3;
    case u'Е': case u'е': case u'E': case u'e': return 4;
    case u'Ж': case u'ж': return 5;
    case u'И': case u'и': return 6;
    case u'J': case u'j': case u'Ј': case u'ј': return 7;
    case u'К': case u'к': case u'K': case u'k': return 8;
    default: return -1;
    }
}

} // namespace

ValueCheck name(const SheetCell &cell, int length)
{
    QString text = cell.text;
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\t]+"));
    text.replace(breaks, QStringLiteral(" "));
    text = text.trimmed();
    if (text.isEmpty())
        return ValueCheck();
    for (const QChar c : text)
        if (!Cp1251::canEncode(c) || c.unicode() < 0x20)
            return refuse(QStringLiteral("знак „%1“ каса не може да прикаже").arg(c));
    if (text.size() <= length)
        return take(text);
    return take(text.left(length).trimmed(), QStringLiteral("назив скраћен на %1 знакова").arg(length));
}

ValueCheck barcode(const SheetCell &cell)
{
    QString digits;
    if (cell.number) {
        ScaledNumber n;
        QString why;
        if (cell.text.trimmed().isEmpty())
            return ValueCheck();
        if (!exact(storedNumber(cell.text), 0, &n, &why) || n.negative)
            return refuse(QStringLiteral("бар-код није цео број без знака"));
        digits = QString::number(n.units);
    } else {
        digits = withoutBlanks(cell.text);
        if (digits.isEmpty())
            return ValueCheck();
        static const QRegularExpression onlyDigits(QStringLiteral("^[0-9]+$"));
        if (!onlyDigits.match(digits).hasMatch())
            return refuse(QStringLiteral("бар-код сме имати само цифре"));
    }
    if (digits.size() > MaxBarcode)
        return refuse(QStringLiteral("бар-код има више од %1 цифара").arg(MaxBarcode));
    // EAN-8 and EAN-13 one digit short: the spreadsheet dropped a leading zero.
    if (cell.number && (digits.size() == 7 || digits.size() == 12))
        return take(digits, QStringLiteral("бар-код је у ћелији као број: можда му недостаје водећа нула"));
    return take(digits);
}

ValueCheck price(const SheetCell &cell, qint64 limit, const Regional &regional)
{
    if (cell.text.trimmed().isEmpty())
        return ValueCheck();
    QString text;
    ScaledNumber n;
    QString why;
    if (!plainNumber(cell, &text) || !exact(text, 2, &n, &why))
        return refuse(why.isEmpty() ? QStringLiteral("цена није број") : QStringLiteral("цена: ") + why);
    if (n.negative || text.trimmed().startsWith(QLatin1Char('-')))
        return refuse(QStringLiteral("цена је негативна"));
    if (n.units > limit)
        return refuse(QStringLiteral("цена је већа од %1").arg(DecimalText::formatScaled(limit, 2, regional.decimal)));
    return take(DecimalText::formatScaled(n.units, 2, regional.decimal));
}

ValueCheck tax(const SheetCell &cell, const ImportTaxRates &rates)
{
    QString text = cell.text.trimmed();
    if (text.isEmpty())
        return ValueCheck();
    const int label = labelIndex(text);
    if (label >= 0)
        return take(labels(label));
    const bool percent = text.endsWith(QLatin1Char('%'));
    if (percent)
        text = text.chopped(1).trimmed();
    int index = -1;
    if (!percent && DecimalText::tryParseInteger(text, &index) && !text.contains(QLatin1Char('-'))) {
        if (index >= 0 && index < Fields::TaxLabelCount)
            return take(labels(index));
    }
    QString plain;
    ScaledNumber rate;
    QString why;
    if (!plainNumber(SheetCell{text, cell.number}, &plain) || !exact(plain, 2, &rate, &why))
        return refuse(QStringLiteral("порез није ознака, индекс 0 до 8 ни стопа"));
    if (!rates.any())
        return refuse(QStringLiteral("стопа %1% се не може препознати: пореске стопе нису учитане").arg(text));
    for (int i = 0; i < int(rates.hundredths.size()); ++i)
        if (rates.hundredths[std::size_t(i)] == rate.units)
            return take(labels(i));
    return refuse(QStringLiteral("ниједна пореска стопа није %1%").arg(text));
}

ValueCheck whole(const SheetCell &cell, int low, int high)
{
    if (cell.text.trimmed().isEmpty())
        return ValueCheck();
    QString text;
    ScaledNumber n;
    QString why;
    if (!plainNumber(cell, &text) || !exact(text, 0, &n, &why) || n.units < low || n.units > high)
        return refuse(QStringLiteral("није цео број од %1 до %2").arg(low).arg(high));
    return take(QString::number(n.units));
}

ValueCheck quantity(const SheetCell &cell, const Regional &regional)
{
    if (cell.text.trimmed().isEmpty())
        return ValueCheck();
    QString text;
    ScaledNumber n;
    QString why;
    if (!plainNumber(cell, &text) || !exact(text, 3, &n, &why))
        return refuse(why.isEmpty() ? QStringLiteral("количина није број") : QStringLiteral("количина: ") + why);
    if (n.units > QuantityLimit || n.units < -QuantityLimit)
        return refuse(QStringLiteral("количина је превелика за касу"));
    return take(DecimalText::formatScaled(n.units, 3, regional.decimal));
}

QString barcodeKey(const QString &barcode)
{
    QString digits = withoutBlanks(barcode);
    qsizetype zeros = 0;
    while (zeros < digits.size() && digits.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return digits.mid(zeros);
}

} // namespace ImportValues
