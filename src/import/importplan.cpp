#include "import/importplan.h"

#include <QHash>
#include <QSet>

QString ImportSummary::text() const
{
    QString t = QStringLiteral("Нових: %1, измењених: %2, неизмењених: %3, одбијених: %4, изостављених јер је табела "
                               "пуна: %5")
                    .arg(added)
                    .arg(updated)
                    .arg(unchanged)
                    .arg(refused)
                    .arg(leftOut);
    if (cleared > 0)
        t += QStringLiteral(", враћених на почетне вредности: %1").arg(cleared);
    return t + QLatin1Char('.');
}

namespace ImportPlanner {

namespace {

struct Checked {
    std::array<ValueCheck, ImportFieldCount> values;
    bool refused = false;
};

class Planner {
public:
    Planner(const Sheet &sheet, const ImportRequest &r) : m_sheet(sheet), m_r(r), m_target(*r.target) {}

    ImportPlan run()
    {
        m_plan.rows = m_r.current;
        m_plan.refusal = whyNot();
        if (!m_plan.refusal.isEmpty())
            return m_plan;
        for (int i = 0; i < m_plan.rows.size(); ++i)
            m_keys.insert(barcodeKeyOf(m_plan.rows.at(i)), i);
        m_keys.remove(QString());
        for (int r = m_r.headingRow + 1; r < m_sheet.rows.size(); ++r)
            takeRow(r);
        if (m_r.mode == ImportMode::Replace)
            for (int i = m_placed; i < m_plan.rows.size() && i < m_r.startUp.size(); ++i)
                if (m_plan.rows.at(i) != m_r.startUp.at(i)) {
                    m_plan.rows[i] = m_r.startUp.at(i);
                    ++m_plan.summary.cleared;
                }
        for (int i = 0; i < m_plan.rows.size(); ++i)
            if (m_plan.rows.at(i) != m_r.current.value(i))
                m_plan.changedRows << i;
        for (int i : m_touched) {
            if (m_plan.rows.at(i) == m_r.current.value(i))
                ++m_plan.summary.unchanged;
            else if (cell(m_r.current.value(i), ImportField::Name).trimmed().isEmpty())
                ++m_plan.summary.added;
            else
                ++m_plan.summary.updated;
        }
        return m_plan;
    }

private:
    QString whyNot() const
    {
        const auto mapped = [this](ImportField f) { return m_target.has(f) && m_r.mapping.column(f) >= 0; };
        const QList<ImportField> fields = ImportTarget::all();
        if (std::none_of(fields.begin(), fields.end(), mapped))
            return QStringLiteral("Ниједна колона листа није изабрана ни за једно поље.");
        if (m_r.mode == ImportMode::ByNumber && !mapped(ImportField::Number))
            return QStringLiteral("За ажурирање по броју треба изабрати колону броја.");
        if (m_r.mode == ImportMode::ByBarcode && !mapped(ImportField::Barcode))
            return QStringLiteral("За ажурирање по бар-коду треба изабрати колону бар-кода.");
        return QString();
    }

    QString cell(const QStringList &row, ImportField f) const { return row.value(m_target.column(f)); }
    QString barcodeKeyOf(const QStringList &row) const
    {
        return m_target.has(ImportField::Barcode) ? ImportValues::barcodeKey(cell(row, ImportField::Barcode))
                                                  : QString();
    }
    QString heading(int column) const
    {
        return m_r.headingRow >= 0 ? m_sheet.text(m_r.headingRow, column) : QString();
    }

    void problem(int row, int column, const QString &value, const QString &reason, bool refused)
    {
        m_plan.problems << ImportProblem{row + 1, columnName(column, heading(column)), value, reason, refused};
    }

    ValueCheck check(ImportField f, const SheetCell &c) const
    {
        switch (f) {
        case ImportField::Number: return ImportValues::whole(c, 1, m_target.rowCount);
        case ImportField::Name: return ImportValues::name(c, m_target.nameLength);
        case ImportField::Barcode: return ImportValues::barcode(c);
        case ImportField::Department: return ImportValues::whole(c, 1, 8);
        case ImportField::Price: return ImportValues::price(c, m_target.priceLimitHundredths, m_r.regional);
        case ImportField::Tax: return ImportValues::tax(c, m_r.rates);
        case ImportField::Quantity: return ImportValues::quantity(c, m_r.regional);
        case ImportField::Group: return ImportValues::whole(c, 0, 12);
        }
        return ValueCheck();
    }

    void takeRow(int r)
    {
        const SheetRow &cells = m_sheet.rows.at(r);
        bool any = false;
        Checked checked;
        for (ImportField f : ImportTarget::all()) {
            const int column = m_r.mapping.column(f);
            // The number only chooses the row when the mode goes by it.
            const bool used = f != ImportField::Number || m_r.mode == ImportMode::ByNumber;
            if (column < 0 || !m_target.has(f) || column >= cells.size() || !used)
                continue;
            const SheetCell &c = cells.at(column);
            any = any || !c.text.trimmed().isEmpty();
            ValueCheck v = check(f, c);
            if (v.refused())
                problem(r, column, c.text, v.refusal, true);
            else if (!v.note.isEmpty())
                problem(r, column, c.text, v.note, false);
            checked.refused = checked.refused || v.refused();
            checked.values[std::size_t(f)] = v;
        }
        if (!any)
            return; // an empty row
        if (checked.refused) {
            ++m_plan.summary.refused;
            return;
        }
        const int target = place(r, checked);
        if (target < 0)
            return;
        QStringList row = m_r.mode == ImportMode::ByNumber || m_existing ? m_plan.rows.at(target)
                                                                         : m_r.startUp.value(target);
        for (ImportField f : ImportTarget::all()) {
            const ValueCheck &v = checked.values[std::size_t(f)];
            if (f != ImportField::Number && v.given && m_target.has(f))
                row[m_target.column(f)] = v.value;
        }
        if (cell(row, ImportField::Name).trimmed().isEmpty()) {
            refuseRow(r, ImportField::Name, QStringLiteral("ред нема назива"));
            return;
        }
        m_keys.remove(barcodeKeyOf(m_plan.rows.at(target)));
        m_plan.rows[target] = row;
        if (!barcodeKeyOf(row).isEmpty())
            m_keys.insert(barcodeKeyOf(row), target);
        if (!m_touchedSet.contains(target)) {
            m_touchedSet.insert(target);
            m_touched << target;
        }
        if (m_r.mode == ImportMode::Replace)
            ++m_placed;
    }

    void refuseRow(int r, ImportField f, const QString &why)
    {
        const int column = m_r.mapping.column(f);
        problem(r, column, column >= 0 ? m_sheet.text(r, column) : QString(), why, true);
        ++m_plan.summary.refused;
    }

    // The table row a checked file row goes to; -1 when it goes nowhere.
    int place(int r, const Checked &checked)
    {
        m_existing = false;
        switch (m_r.mode) {
        case ImportMode::Replace:
            if (m_placed < m_plan.rows.size())
                return m_placed;
            ++m_plan.summary.leftOut;
            return -1;
        case ImportMode::ByNumber: {
            const ValueCheck &n = checked.values[std::size_t(ImportField::Number)];
            if (!n.given) {
                refuseRow(r, ImportField::Number, QStringLiteral("ред нема броја"));
                return -1;
            }
            return n.value.toInt() - 1;
        }
        case ImportMode::ByBarcode: {
            const ValueCheck &b = checked.values[std::size_t(ImportField::Barcode)];
            const QString key = b.given ? ImportValues::barcodeKey(b.value) : QString();
            if (key.isEmpty()) {
                refuseRow(r, ImportField::Barcode, QStringLiteral("ред нема бар-кода"));
                return -1;
            }
            if (m_keys.contains(key)) {
                m_existing = true;
                return m_keys.value(key);
            }
            while (m_free < m_plan.rows.size() && !cell(m_plan.rows.at(m_free), ImportField::Name).trimmed().isEmpty())
                ++m_free;
            if (m_free < m_plan.rows.size())
                return m_free;
            ++m_plan.summary.leftOut;
            return -1;
        }
        }
        return -1;
    }

    const Sheet &m_sheet;
    const ImportRequest &m_r;
    const ImportTarget &m_target;
    ImportPlan m_plan;
    QHash<QString, int> m_keys; // barcode key -> table row
    QList<int> m_touched; // in the order the file reached them
    QSet<int> m_touchedSet;
    int m_placed = 0;
    int m_free = 0;
    bool m_existing = false;
};

} // namespace

QString columnLetters(int column)
{
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters;
}

QString columnName(int column, const QString &heading)
{
    if (column < 0)
        return QString();
    const QString h = heading.simplified();
    return h.isEmpty() ? columnLetters(column) : QStringLiteral("%1 (%2)").arg(columnLetters(column), h);
}

ImportPlan plan(const Sheet &sheet, const ImportRequest &request)
{
    return Planner(sheet, request).run();
}

} // namespace ImportPlanner
