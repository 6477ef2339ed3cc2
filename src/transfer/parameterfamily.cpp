#include "transfer/parameterfamily.h"

#include "transfer/tabledigest.h"
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

void ParameterFamily::endsWith(TransferEngine &engine)
{
    connect(&engine, &TransferEngine::ended, this, [this](bool, TransferOutcome outcome) { endAction(outcome); });
}

QList<RecordField> ParameterFamily::recordFields(const QByteArray &wire, const Regional &) const
{
    return {{QStringLiteral("Подаци"), QString::fromLatin1(wire.toHex(' ')).toUpper(), -1}};
}

bool ParameterFamily::setField(int, int, const QString &)
{
    return false;
}
