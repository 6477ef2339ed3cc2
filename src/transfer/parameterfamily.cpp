#include "transfer/parameterfamily.h"

#include "transfer/tabledigest.h"
#include <QAbstractItemModel>
#include "transfer/transferengine.h"

void ParameterFamily::read() { startRead(); }

void ParameterFamily::write() { startWrite(); }

QByteArray ParameterFamily::tableDigest()
{
    QAbstractItemModel *model = tableModel();
    return model ? TableDigest::ofModel(*model) : QByteArray();
}

void ParameterFamily::endAction(TransferOutcome outcome)
{
    if (std::exchange(m_acting, false))
        emit actionEnded(outcome);
}

void ParameterFamily::actWith(TransferEngine &engine, bool write)
{
    beginAction();
    write ? engine.write() : engine.read();
}

void ParameterFamily::endsWith(TransferEngine &engine)
{
    connect(&engine, &TransferEngine::ended, this, [this](bool, TransferOutcome outcome) { endAction(outcome); });
}

QList<QStringList> ParameterFamily::tableRows()
{
    QList<QStringList> rows;
    if (QAbstractItemModel *model = tableModel())
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells;
        }
    return rows;
}

void ParameterFamily::setTableRows(const QList<QStringList> &rows)
{
    QAbstractItemModel *model = tableModel();
    if (!model)
        return;
    for (int r = 0; r < model->rowCount() && r < rows.size(); ++r)
        for (int c = 0; c < model->columnCount() && c < rows[r].size(); ++c)
            model->setData(model->index(r, c), rows[r][c], Qt::EditRole);
}

QList<RecordField> ParameterFamily::recordFields(const QByteArray &wire, const Regional &) const
{
    return {{QStringLiteral("Подаци"), QString::fromLatin1(wire.toHex(' ')).toUpper(), -1}};
}

bool ParameterFamily::setField(int, int, const QString &)
{
    return false;
}
