#include "params/headerlines/headerlinefamily.h"

#include "catalogue/familycatalogue.h"

#include "protocol/commands.h"
#include "transfer/tabledigest.h"
#include "protocol/fields.h"
#include "params/common/familytexts.h"

namespace {
constexpr int FullProgress = 16;
} // namespace

HeaderLineFamily::HeaderLineFamily(FamilyContext &ctx, QObject *parent) : ParameterFamily(parent)
{
    setId(FamilyId::Header);
    TransferRules r(FamilyCatalogue::key(FamilyId::Header), Command::ReadHeaderLine, Command::WriteHeaderLine, LineCount,
                    TransferRules::Next::SharedIndex);
    r.texts(FamilyTexts::Reading, QStringLiteral("Завршено читање"),
            FamilyTexts::Writing, QStringLiteral("Завршен упис рекламних порука"));
    r.readProgress = [](int, bool) { return FullProgress; };
    r.writeStartProgress = {FullProgress};
    r.writeFirstSentProgress = {0};
    r.writeEndProgress = {FullProgress, 0};
    r.storeRead = [this](int index, const QByteArray &frame) {
        m_lines[index] = readText(frame);
        emit lineRead(index, m_lines[index]);
        return true;
    };
    r.readAsWrite = [](int index, const QByteArray &frame) { return writeData(index, readText(frame)); };
    r.writeRequest = [this](int index) { return std::optional<QByteArray>(writeData(index, m_lines[index])); };
    m_transfer = new TransferEngine(ctx.driver, *this, std::move(r));
    endsWith(*m_transfer);
}

QString HeaderLineFamily::readText(const QByteArray &frame)
{
    // The first data byte is skipped; the text is the rest, taken whole.
    return Fields::decodeText(TransferEngine::dataPart(frame).mid(1));
}

QByteArray HeaderLineFamily::writeData(int index, const QString &text)
{
    return QByteArray(1, char(index)) + lineField(text);
}

QString HeaderLineFamily::line(int index) const
{
    return index >= 0 && index < LineCount ? m_lines[index] : QString();
}

void HeaderLineFamily::setLine(int index, const QString &text)
{
    if (index >= 0 && index < LineCount)
        m_lines[index] = text;
}

void HeaderLineFamily::takeLine(int index, const QString &text)
{
    if (index < 0 || index >= LineCount)
        return;
    m_lines[index] = text;
    emit lineRead(index, text);
}

QByteArray HeaderLineFamily::lineField(const QString &text)
{
    // Converted first and then cut or padded, so that a character that
    // becomes a single '?' cannot shift the field.
    QByteArray field = Fields::encodeText(text).left(FieldWidth);
    const QByteArray blank = Fields::encodeText(QStringLiteral(" "));
    while (field.size() < FieldWidth)
        field.append(blank);
    return field;
}

void HeaderLineFamily::btnReadClicheClick()
{
    beginAction();
    m_transfer->read();
}

void HeaderLineFamily::btnWriteClicheClick()
{
    beginAction();
    m_transfer->write();
}

// A line's write: the line number, then the text padded with blanks to the
// field width; the padding is not part of the text.
QList<RecordField> HeaderLineFamily::recordFields(const QByteArray &wire, const Regional &regional) const
{
    if (wire.size() < 1 + FieldWidth)
        return ParameterFamily::recordFields(wire, regional);
    QString text = Fields::decodeText(wire.mid(1, FieldWidth));
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return {{QStringLiteral("Текст"), text, 0}};
}

bool HeaderLineFamily::setField(int index, int, const QString &text)
{
    takeLine(index, text);
    return true;
}

QByteArray HeaderLineFamily::tableDigest()
{
    return TableDigest::ofTexts(QStringList(m_lines.begin(), m_lines.end()));
}
