#include "import/mappingguess.h"

namespace MappingGuess {

namespace {

constexpr int RowsLooked = 10;

struct Words {
    ImportField field;
    QStringList words;
};

const QList<Words> &dictionary()
{
    static const QList<Words> d = {
        {ImportField::Number, {"број", "шифра", "broj", "sifra", "code", "plu"}},
        {ImportField::Name, {"назив", "артикал", "naziv", "name", "artikal"}},
        {ImportField::Barcode, {"бар код", "баркод", "barkod", "bar kod", "ean", "barcode", "gtin"}},
        {ImportField::Price, {"цена", "мпц", "cena", "price", "mpc"}},
        {ImportField::Tax, {"пореска стопа", "порез", "пдв", "poreska stopa", "porez", "pdv", "tax", "vat"}},
        {ImportField::Department, {"одељење", "odeljenje", "department"}},
        {ImportField::Quantity, {"количина", "залиха", "kolicina", "stock", "qty", "quantity"}},
        {ImportField::Group, {"група", "grupa", "group"}},
    };
    return d;
}

} // namespace

QString fold(const QString &heading)
{
    QString out;
    bool blank = true;
    for (const QChar c : heading.toLower()) {
        QString piece;
        switch (c.unicode()) {
        case u'č': case u'ć': piece = QStringLiteral("c"); break;
        case u'š': piece = QStringLiteral("s"); break;
        case u'ž': piece = QStringLiteral("z"); break;
        case u'đ': piece = QStringLiteral("dj"); break;
        default: piece = c.isLetterOrNumber() ? QString(c) : QString(); break;
        }
        if (piece.isEmpty()) {
            if (!blank)
                out += QLatin1Char(' ');
            blank = true;
        } else {
            out += piece;
            blank = false;
        }
    }
    return out.trimmed();
}

bool fieldOf(const QString &heading, ImportField *field)
{
    const QString folded = fold(heading);
    if (folded.isEmpty())
        return false;
    // The longest word the heading begins with decides ("poreska stopa" over "porez").
    qsizetype best = 0;
    for (const Words &w : dictionary())
        for (const QString &word : w.words)
            if (word.size() > best && (folded == word || folded.startsWith(word + QLatin1Char(' ')))) {
                best = word.size();
                *field = w.field;
            }
    return best > 0;
}

ImportMapping fromHeadings(const SheetRow &headings, const ImportTarget &target)
{
    ImportMapping mapping;
    for (int c = 0; c < headings.size(); ++c) {
        ImportField field;
        if (!headings.at(c).number && fieldOf(headings.at(c).text, &field) && target.has(field)
            && mapping.column(field) < 0)
            mapping.set(field, c);
    }
    return mapping;
}

Guess guess(const Sheet &sheet, const ImportTarget &target)
{
    Guess g;
    int bestCount = 1; // one word alone could be a title: two make a heading row
    for (int r = 0; r < sheet.rows.size() && r < RowsLooked; ++r) {
        const ImportMapping m = fromHeadings(sheet.rows.at(r), target);
        const int count = int(std::count_if(m.columns.begin(), m.columns.end(), [](int c) { return c >= 0; }));
        if (count > bestCount) {
            bestCount = count;
            g.headingRow = r;
            g.mapping = m;
        }
    }
    return g;
}

} // namespace MappingGuess
