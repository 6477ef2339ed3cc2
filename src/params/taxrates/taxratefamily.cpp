#include "params/taxrates/taxratefamily.h"

#include "catalogue/familycatalogue.h"

#include "protocol/commands.h"
#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "params/common/celltext.h"
#include "params/common/familytexts.h"

namespace {
constexpr int FullProgress = 16;
constexpr int RateScale = 2;
} // namespace

TaxRateFamily::TaxRateFamily(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_table(ctx.regional.decimal, this)
{
    const Regional regional = ctx.regional;
    setId(FamilyId::Taxes);
    TransferRules r(FamilyCatalogue::key(FamilyId::Taxes), Command::ReadTaxRate, Command::WriteTaxRate, Fields::TaxLabelCount,
                    TransferRules::Next::ReplyIndex);
    r.firstRecordRow = 1; // below the header row
    r.recordColumn = 1;
    r.texts(FamilyTexts::Reading, QStringLiteral("Завршено читање пореских група"),
            FamilyTexts::Writing, QStringLiteral("Завршен упис пореских група"));
    r.readProgress = [](int, bool) { return FullProgress; };
    r.writeStartProgress = {1};
    r.writeProgress = [](int, bool last) { return last ? -1 : 1; };
    r.readAsWrite = [](int index, const QByteArray &frame) {
        const QByteArray record = TransferEngine::dataPart(frame);
        return record.size() < RecordLength ? QByteArray() : writeData(index, Fields::getU16(record, RateOffset));
    };
    r.storeRead = [this, regional](int index, const QByteArray &frame) {
        const QByteArray record = TransferEngine::dataPart(frame);
        if (record.size() < RecordLength)
            return false;
        m_table.setRate(index, rateText(Fields::getU16(record, RateOffset), regional.decimal));
        return true;
    };
    r.writeRequest = [this, regional](int index) -> std::optional<QByteArray> {
        const Entry entry = convertEntry(m_table.rate(index), regional);
        if (!entry.accepted)
            return std::nullopt;
        return writeData(index, entry.wire);
    };
    // Checked before the flag is set: a refused first entry sends nothing
    // and leaves no read-back pending.
    r.starting = [this](bool write) { m_readBack = m_readBack || write; };
    r.refused = [this](bool) { m_readBack = false; };
    r.stopped = [this] { m_readBack = false; };
    // A complete write is read back; that read ends with the write's text.
    r.readIsReadBack = [this] { return m_readBack; };
    r.finished = [this](bool write) {
        if (write)
            btnTGReadClick();
        else
            m_readBack = false;
    };
    m_transfer = new TransferEngine(ctx.driver, *this, std::move(r));
    // A complete write is read back: the action ends with that read.
    connect(m_transfer, &TransferEngine::ended, this, [this](bool write, TransferOutcome outcome) {
        if (!(write && outcome == TransferOutcome::Completed))
            endAction(outcome);
    });
    // Cleared as the give-up starts, not at gaveUp: a reply that arrives while
    // the no-reply message is open then ends a read, not the write.
    connect(&ctx.driver, &ExchangeDriver::linkEvent, this, [this](const LinkEvent &event) {
        if (event.kind == LinkEventKind::GaveUp)
            m_readBack = false;
    });
}

QByteArray TaxRateFamily::writeData(int taxIndex, std::uint16_t wire)
{
    QByteArray data(1, char(taxIndex));
    data.append(Fields::encodeText(QStringLiteral(" ") + Fields::taxLabelOrA(taxIndex)));
    data.append(2, '\0');
    Fields::putU16(data, RateOffset, wire);
    return data;
}

QString TaxRateFamily::rangeHint(QChar d)
{
    return QStringLiteral("%(0") + d + QStringLiteral("0-99") + d + QStringLiteral("99)");
}

QString TaxRateFamily::noRateText(QChar d) { return QStringLiteral("**") + d + QStringLiteral("**"); }

QString TaxRateFamily::rateText(std::uint16_t wire, QChar d)
{
    if (wire == NoRate)
        return noRateText(d);
    return DecimalText::formatScaled(wire, RateScale, d);
}

TaxRateFamily::Entry TaxRateFamily::convertEntry(const QString &text, const Regional &regional)
{
    if (text.startsWith(QLatin1Char('*')))
        return {true, NoRate};
    return CellText::percent(text, regional);
}

void TaxRateFamily::btnTGReadClick()
{
    // A read started by the button is no read-back; the one after a write
    // keeps the flag the write set.
    beginAction();
    m_transfer->read();
}

void TaxRateFamily::btnTGWriteClick()
{
    beginAction();
    m_transfer->write();
}

int TaxRateFamily::recordCount() const { return m_transfer->rules().recordCount; }

// Column 1 of the tax table holds the rates.
QList<RecordField> TaxRateFamily::recordFields(const QByteArray &wire, const Regional &regional) const
{
    if (wire.size() < RecordLength)
        return ParameterFamily::recordFields(wire, regional);
    return {{QStringLiteral("Стопа"), rateText(Fields::getU16(wire, RateOffset), regional.decimal), 1}};
}

bool TaxRateFamily::setField(int index, int, const QString &text)
{
    m_table.setRate(index, text);
    return true;
}

// Row 0 of the table holds the headings: tax index i is row i + 1.
void TaxRateFamily::markRows(const QHash<int, QString> &marks)
{
    QHash<int, QString> rows;
    for (auto m = marks.constBegin(); m != marks.constEnd(); ++m)
        rows.insert(m.key() + 1, m.value());
    m_table.setRowMarks(rows);
}

QAbstractItemModel *TaxRateFamily::tableModel() { return &m_table; }
