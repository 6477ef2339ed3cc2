#pragma once

#include "params/common/celltext.h"
#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"
#include "params/taxrates/taxratetable.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The nine tax rates: read from the register (command 107) following the
// index each reply carries, written (command 108) one record per request with
// every entry checked before its request is sent, and read back after a
// complete write.
class TaxRateFamily : public ParameterFamily {
    Q_OBJECT
public:
    static constexpr std::uint16_t NoRate = 0xFFFF;
    // A tax record, read or written: its index, its label, then the rate
    // (hundredths of a percent) at this byte.
    static constexpr int RateOffset = 3;
    static constexpr int RecordLength = 5;
    // The largest rate accepted, in hundredths of a percent.
    static constexpr qint64 MaxRate = 10000;

    TaxRateFamily(FamilyContext &ctx, QObject *parent = nullptr);

    TransferEngine &transfer() { return *m_transfer; }
    TaxRateTable &table() { return m_table; }
    TransferEngine *records() override { return m_transfer; }
    int recordCount() const override;
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override;
    bool setField(int index, int column, const QString &text) override;
    void markRows(const QHash<int, QString> &marks) override;
    QAbstractItemModel *tableModel() override;
    EditHistory *editHistory() override { return &m_table.history(); }
    const TaxRateTable &table() const { return m_table; }

    // Set while a write (and its read-back) runs; the read that completes
    // next reports the write.
    bool readBackPending() const { return m_readBack; }
    // Start-up state: no read-back pending.
    void clearReadBack() { m_readBack = false; }

    // "%(0" d "0-99" d "99)"
    static QString rangeHint(QChar decimal);
    // "**" d "**"
    static QString noRateText(QChar decimal);
    // A wire value as the table shows it.
    static QString rateText(std::uint16_t wire, QChar decimal);

    // The outcome of checking one rate entry.
    using Entry = CellText::Percent;
    // An entry beginning with '*' is the no-rate marker. A text with the
    // regional separator converts with it and throws ConversionError when it
    // does not; any other text converts with the point. Entries that do not
    // convert (point form) or lie outside 0..100 are refused.
    static Entry convertEntry(const QString &text, const Regional &regional);

public slots:
    void btnTGReadClick();
    void btnTGWriteClick();

protected:
    void startRead() override { btnTGReadClick(); }
    void startWrite() override { btnTGWriteClick(); }

private:
    // The data of a write request: index, blank and label, rate.
    static QByteArray writeData(int taxIndex, std::uint16_t wire);

    TransferEngine *m_transfer = nullptr;
    TaxRateTable m_table;
    bool m_readBack = false;
};
