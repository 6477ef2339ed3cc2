#include "params/taxrates/taxrates.h"

#include "link/commands.h"
#include "link/decimaltext.h"
#include "link/fields.h"
#include "link/frame.h"

namespace {
const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString ReadDone = QStringLiteral("Завршено читање пореских група");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString WriteDone = QStringLiteral("Завршен упис пореских група");
const QString DataErrorTitle = QStringLiteral("Грешка !!! ");
const QString DataErrorText = QStringLiteral("Грешка у подацима. Унос отказан!");
constexpr int FullProgress = 16;
constexpr int RateScale = 2;
// Digits kept for the range check: 13 beyond the hundredths.
constexpr int RangeScale = 15;
constexpr qint64 RangeFactor = 10000000000000LL; // 10^(RangeScale - RateScale)
} // namespace

TaxRates::TaxRates(FamilyContext &ctx, QObject *parent)
    : ParameterFamily(parent), m_ctx(ctx), m_table(ctx.regional.decimal, this)
{
    m_ctx.driver.setReplyHandler(Command::ReadTaxRate,
                                 [this](const QByteArray &frame) { guarded([&] { onReadReply(frame); }); });
    m_ctx.driver.setReplyHandler(Command::WriteTaxRate,
                                 [this](const QByteArray &frame) { guarded([&] { onWriteReply(frame); }); });
    connect(&m_ctx.driver, &ExchangeDriver::giveUpCleanup, this, [this] { m_readBack = false; });
}

QString TaxRates::rangeHint(QChar d)
{
    return QStringLiteral("%(0") + d + QStringLiteral("0-99") + d + QStringLiteral("99)");
}

QString TaxRates::noRateText(QChar d) { return QStringLiteral("**") + d + QStringLiteral("**"); }

QString TaxRates::rateText(std::uint16_t wire, QChar d)
{
    if (wire == NoRate)
        return noRateText(d);
    return DecimalText::formatScaled(wire, RateScale, d);
}

TaxRates::Entry TaxRates::convertEntry(const QString &text, const Regional &regional)
{
    if (text.startsWith(QLatin1Char('*')))
        return {true, NoRate};
    const bool regionalForm = DecimalText::containsRegionalSeparator(text, regional);
    const QChar mark = regionalForm ? regional.decimal : QLatin1Char('.');
    ScaledNumber fine;
    if (!DecimalText::tryParse(text, mark, RangeScale, &fine)) {
        if (regionalForm)
            throw ConversionError::floatingPoint(text);
        return {};
    }
    // The range is judged on the number as typed (100,001 is above 100), the
    // wire value is cut to hundredths. The wire holds 0..655,35; rates
    // outside 0..100 are refused in both forms.
    if (fine.negative || fine.saturated || fine.units > MaxRate * RangeFactor)
        return {};
    return {true, std::uint16_t(fine.units / RangeFactor)};
}

void TaxRates::sendRead(int taxIndex)
{
    m_ctx.driver.send(Command::ReadTaxRate, QByteArray(1, char(taxIndex)));
}

bool TaxRates::sendWrite(int taxIndex)
{
    const Entry entry = convertEntry(m_table.rate(taxIndex), m_ctx.regional);
    if (!entry.accepted) {
        emit message(DataErrorTitle, DataErrorText);
        return false;
    }
    QByteArray data(1, char(taxIndex));
    data.append(Fields::encodeText(QStringLiteral(" ") + Fields::taxLabelOrA(taxIndex)));
    data.append(2, '\0');
    Fields::putU16(data, 3, entry.wire);
    m_ctx.driver.send(Command::WriteTaxRate, data);
    return true;
}

void TaxRates::btnTGReadClick()
{
    guarded([&] {
        emit readStarted();
        m_ctx.driver.setTransferIndex(0);
        emit status(Reading);
        sendRead(0);
    });
}

void TaxRates::btnTGWriteClick()
{
    guarded([&] {
        m_ctx.driver.setTransferIndex(0);
        emit status(Writing);
        emit progress(1);
        // Checked before the flag is set: a refused first entry sends nothing
        // and leaves no read-back pending.
        const Entry first = convertEntry(m_table.rate(0), m_ctx.regional);
        if (!first.accepted) {
            emit message(DataErrorTitle, DataErrorText);
            return;
        }
        m_readBack = true;
        sendWrite(0);
    });
}

void TaxRates::onReadReply(const QByteArray &frame)
{
    emit progress(FullProgress);
    const int n = Fields::byteAt(frame, Frame::LengthOffset);
    // The record's bytes; a short data part reads as zeros beyond its end.
    const QByteArray record = frame.mid(Frame::DataOffset, n);
    const int k = n >= 1 ? Fields::byteAt(record, 0) : Fields::TaxLabelCount;
    if (k < Fields::TaxLabelCount && n >= 5) {
        const std::uint16_t wire = Fields::getU16(record, 3);
        m_table.setRate(k, rateText(wire, m_ctx.regional.decimal));
    }
    if (k + 1 >= Fields::TaxLabelCount) {
        emit progress(0);
        emit status(m_readBack ? WriteDone : ReadDone);
        m_readBack = false;
        return;
    }
    sendRead(k + 1);
}

void TaxRates::onWriteReply(const QByteArray &)
{
    const int next = m_ctx.driver.transferIndex() + 1;
    m_ctx.driver.setTransferIndex(next);
    if (next >= Fields::TaxLabelCount || next < 0) {
        emit progress(0);
        emit status(WriteDone);
        btnTGReadClick();
        return;
    }
    emit progress(1);
    try {
        if (!sendWrite(next))
            m_readBack = false;
    } catch (...) {
        m_readBack = false;
        throw;
    }
}
