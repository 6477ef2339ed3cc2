#include "transfer/transferengine.h"

#include "protocol/fields.h"
#include "protocol/frame.h"

#include <algorithm>

namespace {
QList<int> allRecords(int count)
{
    QList<int> all;
    for (int i = 0; i < count; ++i)
        all << i;
    return all;
}
} // namespace

TransferEngine::TransferEngine(ExchangeDriver &driver, ParameterFamily &family, TransferRules rules)
    : QObject(&family), m_driver(driver), m_family(family), m_rules(std::move(rules))
{
    if (!m_rules.readRequest)
        m_rules.readRequest = [](int index) { return QByteArray(1, char(index & 0xFF)); };
    if (!m_rules.replyIndex)
        m_rules.replyIndex = [count = m_rules.recordCount](const QByteArray &frame) {
            return Fields::byteAt(frame, Frame::LengthOffset) < 1 ? qMax(count, 0x100)
                                                                   : Fields::byteAt(frame, Frame::DataOffset);
        };
    m_driver.setReplyHandler(m_rules.readCommand, [this](const QByteArray &frame) {
        m_family.guarded([&] { onReadReply(frame); });
    });
    m_driver.setReplyHandler(m_rules.writeCommand, [this](const QByteArray &) {
        m_family.guarded([&] { onWriteReply(); });
    });
}

QByteArray TransferEngine::dataPart(const QByteArray &frame)
{
    return frame.mid(Frame::DataOffset, Fields::byteAt(frame, Frame::LengthOffset));
}

void TransferEngine::read() { read(allRecords(m_rules.recordCount)); }
void TransferEngine::write() { write(allRecords(m_rules.recordCount)); }
void TransferEngine::read(const QList<int> &indexes) { begin(false, indexes); }
void TransferEngine::write(const QList<int> &indexes) { begin(true, indexes); }

void TransferEngine::begin(bool write, const QList<int> &indexes)
{
    m_family.guarded([&] {
        m_indexes.clear();
        for (int i : indexes)
            if (i >= 0 && i < m_rules.recordCount && !m_indexes.contains(i))
                m_indexes << i;
        std::sort(m_indexes.begin(), m_indexes.end());
        if (write && !m_indexes.isEmpty() && m_writeGate && !m_writeGate())
            return;
        if (m_rules.starting)
            m_rules.starting(write);
        if (m_indexes.isEmpty())
            return;
        emit started(write);
        const int first = m_indexes.first();
        if (!write) {
            emit m_family.readStarted();
            m_driver.setTransferIndex(first);
            showStatus(m_rules.readStart);
            sendRead(first);
            return;
        }
        showStatus(m_rules.writeStart);
        showProgress(m_rules.writeStartProgress);
        m_driver.setTransferIndex(first);
        if (sendWrite(first, true))
            showProgress(m_rules.writeFirstSentProgress);
    });
}

int TransferEngine::after(int index) const
{
    for (int i : m_indexes)
        if (i > index)
            return i;
    return -1;
}

void TransferEngine::showProgress(const QList<int> &values)
{
    for (int v : values)
        emit m_family.progress(v);
}

void TransferEngine::showStatus(const QString &text)
{
    if (!text.isEmpty())
        emit m_family.status(text);
}

void TransferEngine::showProgress(int value)
{
    if (value >= 0)
        emit m_family.progress(value);
}

void TransferEngine::sendRead(int index)
{
    m_current = index;
    m_driver.send(m_rules.readCommand, m_rules.readRequest(index));
}

bool TransferEngine::sendWrite(int index, bool first)
{
    // Cleared until the request is out: a refusal or a conversion error ends
    // the write, and a late acknowledgement then continues nothing.
    m_writing = false;
    if (!chosen(index))
        return false; // the shared index was moved by another transfer
    m_current = index;
    std::optional<QByteArray> data;
    try {
        data = m_rules.writeRequest(index);
    } catch (...) {
        if (m_rules.stopped)
            m_rules.stopped();
        emit ended(true, Outcome::Failed);
        throw; // to the general error report
    }
    if (!data) {
        if (m_rules.refused)
            m_rules.refused(first);
        emit m_family.message(m_rules.refusalTitle, m_rules.refusalText);
        emit recordRefused(index);
        emit ended(true, Outcome::Refused);
        return false;
    }
    m_writing = true;
    m_lastWrite = *data;
    m_driver.send(m_rules.writeCommand, *data);
    return true;
}

void TransferEngine::onReadReply(const QByteArray &frame)
{
    if (m_rules.accepts && !m_rules.accepts(false))
        return;
    if (m_rules.endsCutShort && m_rules.endsCutShort(frame)) {
        emit ended(false, Outcome::Failed);
        return;
    }
    int index = 0;
    if (m_rules.next == TransferRules::Next::SharedIndex) {
        index = m_driver.transferIndex();
        if (!chosen(index))
            return; // the read is complete; a late reply is dropped
    } else {
        index = m_rules.replyIndex(frame);
        if (index < 0 || index >= m_rules.recordCount) {
            if (!m_rules.foreignReplyEnds)
                return;
            if (m_rules.readProgress)
                showProgress(m_rules.readProgress(index, true));
            finish(false);
            return;
        }
    }
    const int next = after(index);
    if (m_rules.readProgress)
        showProgress(m_rules.readProgress(index, next < 0));
    const QByteArray wire = m_rules.readAsWrite ? m_rules.readAsWrite(index, frame) : QByteArray();
    const bool taken = m_receiver ? !wire.isEmpty() : m_rules.storeRead(index, frame);
    if (m_receiver && taken)
        m_receiver(index, wire);
    if (taken && !wire.isEmpty())
        emit recordConfirmed(m_rules.family, index, wire);
    if (m_rules.recordDone)
        m_rules.recordDone(index);
    if (m_rules.next == TransferRules::Next::SharedIndex)
        m_driver.setTransferIndex(next < 0 ? m_rules.recordCount : next);
    if (next < 0)
        finish(false);
    else
        sendRead(next);
}

void TransferEngine::onWriteReply()
{
    if (!m_writing || (m_rules.accepts && !m_rules.accepts(true)))
        return;
    const int index = m_driver.transferIndex();
    emit recordConfirmed(m_rules.family, index, m_lastWrite);
    if (m_rules.recordDone)
        m_rules.recordDone(index);
    const int next = after(index);
    if (m_rules.writeProgress)
        showProgress(m_rules.writeProgress(index, next < 0));
    m_driver.setTransferIndex(next < 0 ? m_rules.recordCount : next);
    if (next < 0) {
        m_writing = false;
        finish(true);
        return;
    }
    sendWrite(next, false);
}

void TransferEngine::finish(bool write)
{
    if (m_rules.finishing)
        m_rules.finishing(write);
    showProgress(write ? m_rules.writeEndProgress : m_rules.readEndProgress);
    const bool readBack = !write && m_rules.readIsReadBack && m_rules.readIsReadBack();
    showStatus(write || readBack ? m_rules.writeDone : m_rules.readDone);
    emit ended(write, Outcome::Completed);
    if (m_rules.finished)
        m_rules.finished(write);
}
