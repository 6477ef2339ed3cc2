#include "params/common/gridfamily.h"

#include "params/common/familytexts.h"

GridFamily::GridFamily(FamilyContext &ctx, TextGrid *grid, Description d, QObject *parent)
    : ParameterFamily(parent), m_grid(grid), m_box(d.box)
{
    m_grid->setParent(this);
    const Regional regional = ctx.regional;
    TransferRules r(d.family, d.readCommand, d.writeCommand, d.recordCount, TransferRules::Next::ReplyIndex);
    r.texts(d.readStart, d.readDone,
            FamilyTexts::Writing, d.writeDone);
    r.readProgress = [progress = d.readProgress](int index, bool) { return progress(qMin(index, 0xFF)); };
    r.firstRecordRow = 1;
    r.recordColumn = 1;
    r.firstRecordNumber = d.firstNumber;
    r.writeStartProgress = {1};
    r.writeProgress = [](int, bool last) { return last ? -1 : 1; };
    // A record cut short fills nothing; the read still follows its number.
    r.readAsWrite = [d](int, const QByteArray &frame) {
        const QByteArray record = TransferEngine::dataPart(frame);
        return record.size() < d.replyLength ? QByteArray() : record.left(d.writeLength);
    };
    r.storeRead = [this, d, regional](int index, const QByteArray &frame) {
        const QByteArray record = TransferEngine::dataPart(frame);
        if (record.size() < d.replyLength)
            return false;
        m_grid->setCells(index + 1, 1, d.cells(record, regional.decimal));
        return true;
    };
    r.writeRequest = [this, d, regional](int index) { return d.write(index, *m_grid, regional); };
    m_transfer = new TransferEngine(ctx.driver, *this, std::move(r));
    endsWith(*m_transfer);
}

int GridFamily::recordCount() const { return m_transfer->rules().recordCount; }

// Row 0 of the grid holds the headings: record r is row r + 1.
bool GridFamily::setField(int index, int column, const QString &text)
{
    m_grid->setCell(column, index + 1, text);
    return true;
}

void GridFamily::markRows(const QHash<int, QString> &marks)
{
    QHash<int, QString> rows;
    for (auto m = marks.constBegin(); m != marks.constEnd(); ++m)
        rows.insert(m.key() + 1, m.value());
    m_grid->setRowMarks(rows);
}

QAbstractItemModel *GridFamily::tableModel() { return m_grid; }
