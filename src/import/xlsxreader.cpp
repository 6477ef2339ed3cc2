#include "import/xlsxreader.h"

#include "import/cellformats.h"
#include "import/sheetbuilder.h"
#include "import/ziparchive.h"

#include <QHash>
#include <QXmlStreamReader>

namespace XlsxReader {

namespace {

const QString WorkbookPart = QStringLiteral("xl/workbook.xml");

enum class Look { Plain, Date, Percent };

struct Parts {
    QStringList sheetNames;
    QStringList sheetPaths;
    bool from1904 = false;
    QStringList shared;
    QList<Look> styles; // by cell style index
};

bool xmlFailed(const QXmlStreamReader &xml, const QString &part, QString *why)
{
    if (!xml.hasError())
        return false;
    *why = QStringLiteral("XML дела %1 је оштећен у реду %2: %3").arg(part).arg(xml.lineNumber()).arg(xml.errorString());
    return true;
}

// The text of the element the reader stands on, the phonetic runs left out.
QString richText(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    bool phonetic = false;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            phonetic = phonetic || xml.name() == QLatin1String("rPh");
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (xml.name() == QLatin1String("rPh"))
                phonetic = false;
            break;
        case QXmlStreamReader::Characters:
            if (!phonetic && xml.name().isEmpty())
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

QString resolve(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return target.startsWith(QLatin1String("xl/")) ? target : QStringLiteral("xl/") + target;
}

bool readWorkbook(ZipArchive &zip, Parts *parts, QString *why)
{
    QByteArray bytes;
    if (!zip.read(WorkbookPart, &bytes, why))
        return false;
    QList<QString> ids;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("sheet")) {
            parts->sheetNames << xml.attributes().value(QLatin1String("name")).toString();
            QString id;
            for (const QXmlStreamAttribute &a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
            ids << id;
        } else if (xml.name() == QLatin1String("workbookPr")) {
            const auto v = xml.attributes().value(QLatin1String("date1904"));
            parts->from1904 = v == QLatin1String("1") || v == QLatin1String("true");
        }
    }
    if (xmlFailed(xml, WorkbookPart, why))
        return false;
    QHash<QString, QString> targets;
    const QString relsPart = QStringLiteral("xl/_rels/workbook.xml.rels");
    if (zip.has(relsPart)) {
        if (!zip.read(relsPart, &bytes, why))
            return false;
        QXmlStreamReader rels(bytes);
        while (!rels.atEnd())
            if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == QLatin1String("Relationship"))
                targets.insert(rels.attributes().value(QLatin1String("Id")).toString(),
                               resolve(rels.attributes().value(QLatin1String("Target")).toString()));
        if (xmlFailed(rels, relsPart, why))
            return false;
    }
    for (int i = 0; i < ids.size(); ++i)
        parts->sheetPaths << targets.value(ids.at(i), QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1));
    if (parts->sheetNames.isEmpty()) {
        *why = QStringLiteral("књига нема ниједан лист");
        return false;
    }
    return true;
}

bool readSharedStrings(ZipArchive &zip, Parts *parts, QString *why)
{
    const QString part = QStringLiteral("xl/sharedStrings.xml");
    QByteArray bytes;
    if (!zip.has(part))
        return true;
    if (!zip.read(part, &bytes, why))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            parts->shared << richText(xml);
    return !xmlFailed(xml, part, why);
}

bool readStyles(ZipArchive &zip, Parts *parts, QString *why)
{
    const QString part = QStringLiteral("xl/styles.xml");
    QByteArray bytes;
    if (!zip.has(part))
        return true;
    if (!zip.read(part, &bytes, why))
        return false;
    QHash<int, Look> formats;
    const auto builtIn = [](int id) {
        if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47))
            return Look::Date;
        return id == 9 || id == 10 ? Look::Percent : Look::Plain;
    };
    bool inCellXfs = false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto attrs = xml.attributes();
        if (xml.name() == QLatin1String("numFmt")) {
            const QString code = attrs.value(QLatin1String("formatCode")).toString();
            formats.insert(attrs.value(QLatin1String("numFmtId")).toInt(),
                           code.contains(QLatin1Char('%'))     ? Look::Percent
                           : CellFormats::isDateFormat(code) ? Look::Date
                                                               : Look::Plain);
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            const int id = attrs.value(QLatin1String("numFmtId")).toInt();
            parts->styles << formats.value(id, builtIn(id));
        }
    }
    return !xmlFailed(xml, part, why);
}

// "BC12" -> column 54 (0-based) and row 11; false for a malformed reference.
bool parseReference(QStringView ref, int *row, int *column)
{
    int c = 0;
    qsizetype i = 0;
    while (i < ref.size() && ref.at(i).isLetter() && ref.at(i).unicode() < 128 && c <= SheetBuilder::MaxColumns)
        c = c * 26 + (ref.at(i++).toUpper().unicode() - 'A' + 1);
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (c == 0 || !ok || r < 1)
        return false;
    *row = r - 1;
    *column = c - 1;
    return true;
}

bool readSheet(ZipArchive &zip, const Parts &parts, int index, qint64 *spent, Sheet *sheet, QString *why)
{
    const QString part = parts.sheetPaths.at(index);
    QByteArray bytes;
    if (!zip.read(part, &bytes, why))
        return false;
    SheetBuilder builder(parts.sheetNames.at(index), spent);
    QXmlStreamReader xml(bytes);
    int row = -1;
    int column = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attrs = xml.attributes();
        if (xml.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = attrs.value(QLatin1String("r")).toInt(&ok);
            row = ok && r >= 1 ? r - 1 : row + 1;
            column = -1;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;
        int r = row;
        int c = column + 1;
        if (attrs.hasAttribute(QLatin1String("r")) && !parseReference(attrs.value(QLatin1String("r")), &r, &c)) {
            *why = QStringLiteral("лист „%1“ има неисправну ознаку ћелије").arg(builder.take().name);
            return false;
        }
        row = qMax(r, 0);
        column = c;
        const QString type = attrs.value(QLatin1String("t")).toString();
        const int style = attrs.value(QLatin1String("s")).toInt();
        QString value;
        bool isInline = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("is")) {
                value = richText(xml);
                isInline = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        SheetCell cell{value, false};
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int k = value.toInt(&ok);
            cell.text = ok && k >= 0 && k < parts.shared.size() ? parts.shared.at(k) : QString();
        } else if (type == QLatin1String("d")) {
            cell.text = CellFormats::isoDateText(value);
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            const Look look = style >= 0 && style < parts.styles.size() ? parts.styles.at(style) : Look::Plain;
            cell.number = look == Look::Plain && !isInline;
            if (look == Look::Date)
                cell.text = CellFormats::serialDateText(value, parts.from1904);
            else if (look == Look::Percent)
                cell.text = CellFormats::percentText(value);
        }
        if (!builder.put(row, column, cell))
            break;
    }
    if (builder.overflowed()) {
        *why = QStringLiteral("лист „%1“ је превелик").arg(parts.sheetNames.at(index));
        return false;
    }
    if (xmlFailed(xml, part, why))
        return false;
    *sheet = builder.take();
    return true;
}

} // namespace

bool isWorkbook(const ZipArchive &zip)
{
    return zip.has(WorkbookPart);
}

Workbook read(ZipArchive &zip, const QString &name)
{
    Workbook book;
    Parts parts;
    QString why;
    bool ok = readWorkbook(zip, &parts, &why) && readSharedStrings(zip, &parts, &why) && readStyles(zip, &parts, &why);
    qint64 spent = 0;
    for (int i = 0; ok && i < parts.sheetNames.size(); ++i) {
        Sheet sheet;
        ok = readSheet(zip, parts, i, &spent, &sheet, &why);
        book.sheets << sheet;
    }
    if (!ok) {
        book.sheets.clear();
        book.error = QStringLiteral("„%1“ се не може прочитати: %2.").arg(name, why);
    }
    return book;
}

} // namespace XlsxReader
