#pragma once

#include "link/exchangedriver.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferoutcome.h"
#include "transfer/transferrules.h"

#include <QList>
#include <QObject>
#include <functional>

// The one loop every family's register transfer runs through: it registers
// the family's two reply handlers, sends the first request, takes each reply,
// picks the next record of the chosen set and ends with the family's texts.
// Status, progress and messages go out through the family's own signals.
class TransferEngine : public QObject {
    Q_OBJECT
public:
    using Receiver = std::function<void(int index, const QByteArray &wireRecord)>;

    TransferEngine(ExchangeDriver &driver, ParameterFamily &family, TransferRules rules);

    const TransferRules &rules() const { return m_rules; }

    // The whole family, records 0..count-1.
    void read();
    void write();
    // A chosen set of records (sorted; indexes outside the family are dropped).
    void read(const QList<int> &indexes);
    void write(const QList<int> &indexes);

    // While set, read records go to the receiver (as a write would send them)
    // instead of into the family's table.
    void setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }
    // Asked before a write sends anything; false: the write does not start.
    void setWriteGate(std::function<bool()> gate) { m_writeGate = std::move(gate); }
    // Families whose record count changes (the logo rows).
    void setRecordCount(int count) { m_rules.recordCount = count; }

    // True from a write start until the last record is answered or the write
    // stops at a refused record. A late reply after a give-up still continues
    // the write; a reply after a stop does not.
    bool isWriting() const { return m_writing; }
    // The record of the last request sent (or refused), -1 before any.
    int currentRecord() const { return m_current; }

    // The data part of a reply frame, as long as its length byte says.
    static QByteArray dataPart(const QByteArray &frame);

    // Ends the engine itself tells: completed, refused, failed. A give-up,
    // a cancel or a lost port is the session's to tell.
    using Outcome = TransferOutcome;

signals:
    // A transfer of the family began; it ended (a give-up or a cancel is
    // the driver's to tell).
    void started(bool write);
    void ended(bool write, TransferOutcome outcome);
    // The register confirmed a record: a read reply, or the reply to a write.
    // `wire` is the write request's data (for a read, the record re-encoded).
    void recordConfirmed(const QString &family, int index, const QByteArray &wire);
    // A record the family would not send: emitted before ended(Refused).
    void recordRefused(int index);

private:
    void begin(bool write, const QList<int> &indexes);
    void onReadReply(const QByteArray &frame);
    void onWriteReply();
    void sendRead(int index);
    bool sendWrite(int index, bool first);
    void finish(bool write);
    // The first record of the set after `index`, or -1.
    int after(int index) const;
    bool chosen(int index) const { return m_indexes.contains(index); }
    void showProgress(const QList<int> &values);
    void showProgress(int value);
    void showStatus(const QString &text);

    ExchangeDriver &m_driver;
    ParameterFamily &m_family;
    TransferRules m_rules;
    QList<int> m_indexes;
    Receiver m_receiver;
    std::function<bool()> m_writeGate;
    QByteArray m_lastWrite;
    bool m_writing = false;
    int m_current = -1;
};
