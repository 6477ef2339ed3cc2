#include "import/odsreader.h"

#include "import/cellformats.h"
#include "import/sheetbuilder.h"
#include "import/ziparchive.h"

#include <QXmlStreamReader>

namespace OdsReader {

namespace {

const QString Content = QStringLiteral("content.xml");
const QString SpreadsheetType = QStringLiteral("application/vnd.oasis.opendocument.spreadsheet");

int repeat(const QXmlStreamAttributes &attrs, QLatin1String name)
{
    const int n = attrs.value(name).toInt();
    return n > 0 ? n : 1;
}

// The paragraphs of a cell joined by line breaks, text:s as its spaces.
QString paragraphs(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    int paragraphsSeen = 0;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == QLatin1String("p") && depth == 2 && paragraphsSeen++ > 0)
                text += QLatin1Char('\n');
            else if (xml.name() == QLatin1String("s"))
                text += QString(qMin(repeat(xml.attributes(), QLatin1String("text:c")), 1000), QLatin1Char(' '));
            else if (xml.name() == QLatin1String("tab"))
                text += QLatin1Char('\t');
            else if (xml.name() == QLatin1String("line-break"))
                text += QLatin1Char('\n');
            else if (xml.name() == QLatin1String("annotation")) {
                xml.skipCurrentElement(); // a comment is no part of the value
                --depth;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (depth >= 2)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

SheetCell cellOf(QXmlStreamReader &xml)
{
    const QXmlStreamAttributes attrs = xml.attributes();
    const QString type = attrs.value(QLatin1String("office:value-type")).toString();
    const QString shown = paragraphs(xml);
    if (type == QLatin1String("float") || type == QLatin1String("currency"))
        return {attrs.value(QLatin1String("office:value")).toString(), true};
    if (type == QLatin1String("percentage"))
        return {CellFormats::percentText(attrs.value(QLatin1String("office:value")).toString()), false};
    if (type == QLatin1String("date"))
        return {CellFormats::isoDateText(attrs.value(QLatin1String("office:date-value")).toString()), false};
    if (type == QLatin1String("string") && attrs.hasAttribute(QLatin1String("office:string-value")))
        return {attrs.value(QLatin1String("office:string-value")).toString(), false};
    return {shown, false};
}

bool readTable(QXmlStreamReader &xml, qint64 *spent, Sheet *sheet, QString *why)
{
    SheetBuilder builder(xml.attributes().value(QLatin1String("table:name")).toString(), spent);
    int row = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("table"))
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const bool rowGroup = xml.name() == QLatin1String("table-row-group")
                              || xml.name() == QLatin1String("table-rows")
                              || xml.name() == QLatin1String("table-header-rows");
        if (rowGroup)
            continue; // their rows are read as the table's own
        if (xml.name() != QLatin1String("table-row")) {
            xml.skipCurrentElement();
            continue;
        }
        const int rows = repeat(xml.attributes(), QLatin1String("table:number-rows-repeated"));
        SheetRow cells;
        QList<int> columns;
        int column = 0;
        while (xml.readNextStartElement()) {
            const bool covered = xml.name() == QLatin1String("covered-table-cell");
            if (!covered && xml.name() != QLatin1String("table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const int times = repeat(xml.attributes(), QLatin1String("table:number-columns-repeated"));
            const SheetCell cell = covered ? (xml.skipCurrentElement(), SheetCell()) : cellOf(xml);
            if (!cell.text.isEmpty())
                for (int t = 0; t < times && column + t < SheetBuilder::MaxColumns; ++t) {
                    cells << cell;
                    columns << column + t;
                }
            column = int(qMin<qint64>(qint64(column) + times, SheetBuilder::MaxColumns));
        }
        // A repeated row that holds nothing costs nothing, however often repeated.
        for (int r = 0; !cells.isEmpty() && r < rows && !builder.overflowed(); ++r)
            for (int k = 0; k < cells.size(); ++k)
                builder.put(row + r, columns.at(k), cells.at(k));
        row = int(qMin<qint64>(qint64(row) + rows, SheetBuilder::MaxRows));
        if (builder.overflowed()) {
            *why = QStringLiteral("лист „%1“ је превелик").arg(builder.take().name);
            return false;
        }
    }
    *sheet = builder.take();
    return true;
}

} // namespace

bool isSpreadsheet(const ZipArchive &zip)
{
    return zip.has(Content);
}

Workbook read(ZipArchive &zip, const QString &name)
{
    Workbook book;
    QString why;
    QByteArray bytes;
    if (zip.has(QStringLiteral("mimetype")) && zip.read(QStringLiteral("mimetype"), &bytes, &why)
        && bytes.trimmed() != SpreadsheetType.toLatin1()) {
        book.error = QStringLiteral("„%1“ није табела већ документ врсте %2.")
                         .arg(name, QString::fromLatin1(bytes.trimmed().left(100)));
        return book;
    }
    if (!zip.read(Content, &bytes, &why)) {
        book.error = QStringLiteral("„%1“ се не може прочитати: %2.").arg(name, why);
        return book;
    }
    QXmlStreamReader xml(bytes);
    bool spreadsheet = false;
    qint64 spent = 0;
    while (!xml.atEnd() && why.isEmpty()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.qualifiedName() == QLatin1String("office:spreadsheet"))
            spreadsheet = true;
        if (spreadsheet && xml.qualifiedName() == QLatin1String("table:table")) {
            Sheet sheet;
            if (readTable(xml, &spent, &sheet, &why))
                book.sheets << sheet;
        }
    }
    if (why.isEmpty() && xml.hasError())
        why = QStringLiteral("XML дела content.xml је оштећен у реду %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    if (why.isEmpty() && !spreadsheet)
        why = QStringLiteral("документ није табела");
    if (why.isEmpty() && book.sheets.isEmpty())
        why = QStringLiteral("табела нема ниједан лист");
    if (!why.isEmpty()) {
        book.sheets.clear();
        book.error = QStringLiteral("„%1“ се не може прочитати: %2.").arg(name, why);
    }
    return book;
}

} // namespace OdsReader
