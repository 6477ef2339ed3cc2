#include "app/trace/tracemodel.h"

#include "link/tracerecorder.h"

TraceModel::TraceModel(const TraceRecorder &recorder, QObject *parent)
    : QAbstractTableModel(parent), m_recorder(recorder)
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(BatchIntervalMs);
    connect(&m_batch, &QTimer::timeout, this, &TraceModel::sync);
    connect(&recorder, &TraceRecorder::recorded, this, &TraceModel::scheduleSync);
    connect(&recorder, &TraceRecorder::cleared, this, [this] {
        beginResetModel();
        m_shownDropped = 0;
        m_shown = 0;
        endResetModel();
        scheduleSync();
    });
    sync();
}

void TraceModel::scheduleSync()
{
    if (!m_batch.isActive())
        m_batch.start();
}

void TraceModel::sync()
{
    m_batch.stop();
    // Rows whose events the recorder dropped leave from the top.
    const qint64 goneSinceShown = m_recorder.droppedCount() - m_shownDropped;
    if (goneSinceShown > 0 && m_shown > 0) {
        const int remove = static_cast<int>(qMin<qint64>(goneSinceShown, m_shown));
        beginRemoveRows(QModelIndex(), 0, remove - 1);
        m_shown -= remove;
        m_shownDropped += remove;
        endRemoveRows();
    }
    if (m_shown == 0)
        m_shownDropped = m_recorder.droppedCount();
    // Rows run from the first shown event to the newest the recorder holds.
    const int total = static_cast<int>(m_recorder.droppedCount() + m_recorder.size() - m_shownDropped);
    if (total > m_shown) {
        beginInsertRows(QModelIndex(), m_shown, total - 1);
        m_shown = total;
        endInsertRows();
        emit rowsAppended();
    }
}

void TraceModel::setSecrets(TraceFormat::Secrets secrets)
{
    if (secrets == m_secrets)
        return;
    m_secrets = secrets;
    if (m_shown > 0)
        emit dataChanged(index(0, TraceFormat::Bytes), index(m_shown - 1, TraceFormat::Bytes), {Qt::DisplayRole});
}

int TraceModel::eventIndex(int row) const
{
    const qint64 index = m_shownDropped + row - m_recorder.droppedCount();
    return index >= 0 && index < m_recorder.size() ? static_cast<int>(index) : -1;
}

int TraceModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int TraceModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : TraceFormat::ColumnCount;
}

QVariant TraceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return index.column() == TraceFormat::SinceMs || index.column() == TraceFormat::Length
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    const int event = eventIndex(index.row());
    return event < 0 ? QVariant() : QVariant(TraceFormat::cell(m_recorder.at(event), index.column(), m_secrets));
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return TraceFormat::columnTitles().value(section);
    return QVariant(section + 1);
}
