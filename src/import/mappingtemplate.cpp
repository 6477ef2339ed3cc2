#include "import/mappingtemplate.h"

#include "import/importplan.h"
#include "import/mappingguess.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace MappingTemplate {

namespace {

const QString Format = QStringLiteral("vilaron-import-mapping");

int columnOfLetters(const QString &letters)
{
    int c = 0;
    for (const QChar ch : letters.toUpper()) {
        if (ch < QLatin1Char('A') || ch > QLatin1Char('Z') || c > 16384)
            return -1;
        c = c * 26 + (ch.unicode() - 'A' + 1);
    }
    return c - 1;
}

} // namespace

QByteArray write(const ImportMapping &mapping, const Sheet &sheet, int headingRow, const ImportTarget &target)
{
    QJsonObject fields;
    for (ImportField f : ImportTarget::all()) {
        const int c = mapping.column(f);
        if (c < 0 || !target.has(f))
            continue;
        QJsonObject column{{QStringLiteral("column"), ImportPlanner::columnLetters(c)}};
        if (headingRow >= 0)
            column.insert(QStringLiteral("heading"), sheet.text(headingRow, c));
        fields.insert(ImportTarget::key(f), column);
    }
    const QJsonObject root{{QStringLiteral("format"), Format},
                           {QStringLiteral("version"), 1},
                           {QStringLiteral("headings"), headingRow >= 0},
                           {QStringLiteral("fields"), fields}};
    return QJsonDocument(root).toJson();
}

bool read(const QByteArray &bytes, const Sheet &sheet, int headingRow, const ImportTarget &target, Saved *saved,
          QString *why)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError || root.value(QStringLiteral("format")).toString() != Format) {
        *why = QStringLiteral("датотека није шаблон пресликавања колона");
        return false;
    }
    Saved result;
    result.headings = root.value(QStringLiteral("headings")).toBool(true);
    const QJsonObject fields = root.value(QStringLiteral("fields")).toObject();
    for (ImportField f : ImportTarget::all()) {
        const QJsonObject column = fields.value(ImportTarget::key(f)).toObject();
        if (column.isEmpty() || !target.has(f))
            continue;
        const QString heading = MappingGuess::fold(column.value(QStringLiteral("heading")).toString());
        int c = -1;
        if (!heading.isEmpty() && headingRow >= 0 && headingRow < sheet.rows.size())
            for (int k = 0; k < sheet.rows.at(headingRow).size() && c < 0; ++k)
                if (MappingGuess::fold(sheet.text(headingRow, k)) == heading)
                    c = k;
        if (c < 0)
            c = columnOfLetters(column.value(QStringLiteral("column")).toString());
        result.mapping.set(f, c);
    }
    *saved = result;
    return true;
}

} // namespace MappingTemplate
